#pragma once

#include <string>

#include <QString>

// Texts cross between Qt and the core as UTF-8 bytes.
namespace QtText {

std::string ToUtf8(const QString& text);
QString FromUtf8(const std::string& text);

}  // namespace QtText

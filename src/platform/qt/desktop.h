#pragma once

#include <QSize>
#include <QString>

// Desktop services that need the window system.
namespace Platform {

// The shell "open" request: hands a path or a link to the desktop's default
// handler. The outcome is ignored.
void ShellOpen(const QString& pathOrLink);

// Size of the primary screen in pixels; 1024 x 768 when there is none.
QSize PrimaryScreenSize();

}  // namespace Platform

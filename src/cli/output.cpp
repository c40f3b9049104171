#include "cli/output.h"

#include <cstring>

#include "filelist/visiblename.h"
#include "platform/casemap.h"
#include "rename/conflicts.h"

namespace Cli {

namespace {

const char HexDigits[] = "0123456789abcdef";

void AppendHex(std::string& out, unsigned char byte) {
  out += HexDigits[byte >> 4];
  out += HexDigits[byte & 0xf];
}

void AppendJsonAscii(std::string& out, unsigned char c) {
  switch (c) {
    case '"':
      out += "\\\"";
      break;
    case '\\':
      out += "\\\\";
      break;
    case '\b':
      out += "\\b";
      break;
    case '\f':
      out += "\\f";
      break;
    case '\n':
      out += "\\n";
      break;
    case '\r':
      out += "\\r";
      break;
    case '\t':
      out += "\\t";
      break;
    default:
      if (c < 0x20) {
        out += "\\u00";
        AppendHex(out, c);
      } else {
        out += static_cast<char>(c);
      }
  }
}

}  // namespace

std::string EscapeText(std::string_view name) {
  const std::string shown = FileList::VisibleName(name);
  std::string out;
  out.reserve(shown.size());
  for (const char ch : shown) {
    const auto c = static_cast<unsigned char>(ch);
    if (c == '\\') {
      out += "\\\\";
    } else if (c == '\t') {
      out += "\\t";
    } else if (c == '\n') {
      out += "\\n";
    } else if (c < 0x20 || c == 0x7f) {
      out += "\\x";
      AppendHex(out, c);
    } else {
      out += ch;
    }
  }
  return out;
}

std::string JsonString(std::string_view name) {
  std::string out = "\"";
  out.reserve(name.size() + 2);
  for (std::size_t i = 0; i < name.size();) {
    char32_t cp = 0;
    const std::size_t length = Platform::DecodeUtf8(name, i, cp);
    if (length == 1) {
      AppendJsonAscii(out, static_cast<unsigned char>(name[i]));
    } else if (length > 1 && FileList::IsHiddenMark(cp)) {
      out += "\\u";
      AppendHex(out, static_cast<unsigned char>(cp >> 8));
      AppendHex(out, static_cast<unsigned char>(cp & 0xff));
    } else if (length > 1) {
      out.append(name.substr(i, length));
    } else {
      out += "\\udc";
      AppendHex(out, static_cast<unsigned char>(name[i]));
    }
    i += length > 0 ? length : 1;
  }
  out += '"';
  return out;
}

std::string FormatPreview(const FileList::TFileItems& items, bool json) {
  std::string out = json ? "[" : "";
  for (std::size_t i = 0; i < items.size(); ++i) {
    const FileList::TFileItem& item = items[i];
    const bool marked = Rename::WillFail(item.Conflict);
    const char* reason = Rename::ConflictWord(item.Conflict);
    if (json) {
      out += i == 0 ? "\n  {\"old\": " : ",\n  {\"old\": ";
      out += JsonString(item.OldName) + ", \"new\": " + JsonString(item.NewName);
      out += marked ? ", \"conflict\": true" : ", \"conflict\": false";
      out += reason ? ", \"reason\": \"" + std::string(reason) + "\"}" : ", \"reason\": null}";
    } else {
      out += EscapeText(item.OldName) + '\t' + EscapeText(item.NewName);
      if (reason) out += std::string(marked ? "\t!\t" : "\t\t") + reason;
      out += '\n';
    }
  }
  if (json) out += items.empty() ? "]\n" : "\n]\n";
  return out;
}

std::string FormatRunJson(const FileList::TFileItems& items) {
  std::string out = "[";
  for (std::size_t i = 0; i < items.size(); ++i) {
    const FileList::TFileItem& row = items[i];
    out += i == 0 ? "\n  {\"old\": " : ",\n  {\"old\": ";
    out += JsonString(row.OldName) + ", \"new\": " + JsonString(row.NewName);
    switch (row.Status) {
      case FileList::TMoveStatus::Renamed:
        out += ", \"status\": \"renamed\", \"error\": null}";
        break;
      case FileList::TMoveStatus::Pending:
        out += ", \"status\": \"skipped\", \"error\": null}";
        break;
      case FileList::TMoveStatus::Failed:
        out += ", \"status\": \"failed\", \"error\": " + JsonString(std::strerror(row.Error)) + "}";
        break;
    }
  }
  out += items.empty() ? "]\n" : "\n]\n";
  return out;
}

std::string FailureLine(const std::string& oldPath, const std::string& newPath, int error) {
  return "morvane-cli: cannot rename '" + EscapeText(oldPath) + "' to '" + EscapeText(newPath) +
         "': " + std::strerror(error) + "\n";
}

bool WriteAll(std::FILE* out, const std::string& text) {
  return std::fwrite(text.data(), 1, text.size(), out) == text.size();
}

}  // namespace Cli

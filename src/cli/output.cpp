#include "cli/output.h"

#include <algorithm>
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

// The system's text of a failed move, or the conflict that kept it untried.
std::string FailureWord(const FileList::TFileItem& row) {
  if (row.Error != 0) return std::strerror(row.Error);
  const char* word = Rename::ConflictWord(row.Conflict);
  return word != nullptr ? word : "not tried";
}

// Whether text is printable ASCII without the escape character: shown as it is.
bool PlainAscii(std::string_view text) {
  return std::all_of(text.begin(), text.end(),
                     [](char c) { return c >= 0x20 && c < 0x7f && c != '\\'; });
}

}  // namespace

std::string EscapeText(std::string_view name) {
  if (PlainAscii(name)) return std::string(name);
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
      out += EscapeText(item.OldName);
      out += '\t';
      out += EscapeText(item.NewName);
      if (reason) (out += marked ? "\t!\t" : "\t\t") += reason;
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
        out += ", \"status\": \"failed\", \"error\": " + JsonString(FailureWord(row)) + "}";
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

#include "app/startdir.h"

#include <string>
#include <string_view>
#include <vector>

#include "platform/casemap.h"
#include "platform/filesystem.h"
#include "platform/pathname.h"

namespace App {

namespace {

bool StartsWithNoCase(const std::string& text, const std::string& prefix) {
  return Platform::SameTextAscii(std::string_view(text).substr(0, prefix.size()), prefix);
}

int HexValue(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

// %XX becomes the byte XX; a "%" without two hex digits stays as it is.
std::string PercentDecoded(const std::string& text) {
  std::string bytes;
  for (size_t i = 0; i < text.size(); ++i) {
    const int high = i + 2 < text.size() && text[i] == '%' ? HexValue(text[i + 1]) : -1;
    const int low = high >= 0 ? HexValue(text[i + 2]) : -1;
    if (low < 0) {
      bytes += text[i];
      continue;
    }
    bytes += static_cast<char>(high * 16 + low);
    i += 2;
  }
  return bytes;
}

// An absolute path without leading "./" parts and without final separators.
std::string Absolute(std::string path, const std::string& currentDir) {
  while (path.compare(0, 2, "./") == 0) {
    path.erase(0, 2);
    while (!path.empty() && path[0] == '/') path.erase(0, 1);
  }
  if (path == ".") path.clear();
  if (path.empty() || path[0] != '/') {
    std::string base = currentDir;
    if (!base.empty() && base.back() != '/') base += '/';
    path = base + path;
  }
  while (path.size() > 1 && path.back() == '/') path.pop_back();
  return path;
}

std::string ParentOf(const std::string& path) {
  std::string_view folder = Platform::PathFolder(path);
  if (folder.size() > 1) folder.remove_suffix(1);  // its final "/", unless it is the root
  return std::string(folder);
}

}  // namespace

TPathKind PathKindOf(const std::string& path) {
  if (Platform::IsDirectory(path)) return TPathKind::Folder;
  return Platform::PathExists(path) ? TPathKind::File : TPathKind::Missing;
}

std::string FolderForPath(const std::string& path, const std::string& currentDir,
                          const TPathKindQuery& kindOf) {
  if (path.empty() || path.find('\0') != std::string::npos) return {};
  const std::string absolute = Absolute(path, currentDir);
  if (absolute.empty() || absolute[0] != '/') return {};  // no working folder to count from
  switch (kindOf(absolute)) {
    case TPathKind::Folder:
      return absolute;
    case TPathKind::File:
      return ParentOf(absolute);
    case TPathKind::Missing:
      break;
  }
  return {};
}

std::string LocalPathOfUri(const std::string& uri) {
  if (!StartsWithNoCase(uri, "file:")) return {};
  std::string rest = uri.substr(5);
  if (const size_t end = rest.find_first_of("?#"); end != std::string::npos) rest.resize(end);
  if (rest.compare(0, 2, "//") == 0) {
    const size_t slash = rest.find('/', 2);
    const std::string host = rest.substr(2, slash == std::string::npos ? slash : slash - 2);
    if (!host.empty() && !(host.size() == 9 && StartsWithNoCase(host, "localhost"))) return {};
    rest = slash == std::string::npos ? std::string() : rest.substr(slash);
  }
  if (rest.empty() || rest[0] != '/') return {};
  std::string path = PercentDecoded(rest);
  return path.find('\0') == std::string::npos ? path : std::string();
}

std::string FolderForDrop(const std::vector<std::string>& uris, const std::string& currentDir,
                          const TPathKindQuery& kindOf) {
  for (const std::string& uri : uris) {
    const std::string path = LocalPathOfUri(uri);
    if (path.empty()) continue;
    std::string folder = FolderForPath(path, currentDir, kindOf);
    if (!folder.empty()) return folder;
  }
  return {};
}

TStartFolder StartFolderFor(const std::vector<std::string>& args, const std::string& currentDir,
                            const TPathKindQuery& kindOf) {
  TStartFolder start;
  const size_t first = !args.empty() && args[0] == "--" ? 1 : 0;  // the end of options
  if (args.size() <= first) return start;
  start.Folder = FolderForPath(args[first], currentDir, kindOf);
  if (start.Folder.empty())
    start.Warning = "morvane: " + args[first] + ": no such file or folder; starting without one\n";
  if (args.size() > first + 1)
    start.Warning += "morvane: only one folder can be opened; the other arguments are ignored\n";
  return start;
}

}  // namespace App

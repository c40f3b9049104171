#include "app/startdir.h"

#include <algorithm>
#include <cstddef>
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

// Drops "." parts and doubled separators from an absolute path.
std::string Tidied(const std::string& path) {
  std::string tidy;
  size_t start = 0;
  while (start < path.size()) {
    size_t end = path.find('/', start);
    if (end == std::string::npos) end = path.size();
    const std::string_view part(path.data() + start, end - start);
    if (!part.empty() && part != ".") (tidy += '/') += part;
    start = end + 1;
  }
  return tidy.empty() ? "/" : tidy;
}

std::string ParentOf(const std::string& path) {
  std::string_view folder = Platform::PathFolder(path);
  if (folder.size() > 1) folder.remove_suffix(1);  // its final "/", unless it is the root
  return std::string(folder);
}

// A "file:" URI, as some file managers hand their selection over, is taken
// as the path it names; any other text is a path already.
std::string ArgumentPath(const std::string& arg) {
  return StartsWithNoCase(arg, "file:/") ? LocalPathOfUri(arg) : arg;
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

TSelection SelectionFor(const std::vector<std::string>& paths, const std::string& currentDir,
                        const TPathKindQuery& kindOf) {
  TSelection selection;
  for (const std::string& arg : paths) {
    const std::string path = ArgumentPath(arg);
    const std::string absolute = Tidied(Absolute(path, currentDir));
    const bool valid = !path.empty() && path.find('\0') == std::string::npos &&
                       Absolute(path, currentDir).compare(0, 1, "/") == 0;
    const TPathKind kind = valid ? kindOf(absolute) : TPathKind::Missing;
    if (kind != TPathKind::File) {
      selection.Error =
          kind == TPathKind::Folder ? TSelectionError::Folder : TSelectionError::Missing;
      selection.Culprit = arg;
      return selection;
    }
    const std::string folder = ParentOf(absolute);
    if (selection.Names.empty()) selection.Folder = folder;
    if (folder != selection.Folder) {
      selection.Error = TSelectionError::SeveralFolders;
      selection.Culprit = selection.Folder;
      selection.Other = folder;
      return selection;
    }
    std::string name = absolute.substr(folder.size() == 1 ? 1 : folder.size() + 1);
    if (std::find(selection.Names.begin(), selection.Names.end(), name) == selection.Names.end())
      selection.Names.push_back(std::move(name));
  }
  return selection;
}

std::string SelectionErrorText(const TSelection& selection,
                               const std::function<std::string(const std::string&)>& quote) {
  switch (selection.Error) {
    case TSelectionError::Missing:
      return "'" + quote(selection.Culprit) + "': no such file";
    case TSelectionError::Folder:
      return "'" + quote(selection.Culprit) +
             "' is a folder: give one folder, or files of one folder";
    case TSelectionError::SeveralFolders:
      return "the files are in several folders ('" + quote(selection.Culprit) + "' and '" +
             quote(selection.Other) + "'): only files of one folder can be renamed together";
    case TSelectionError::None:
      break;
  }
  return {};
}

TStartFolder StartFolderFor(const std::vector<std::string>& args, const std::string& currentDir,
                            const TPathKindQuery& kindOf) {
  TStartFolder start;
  const size_t first = !args.empty() && args[0] == "--" ? 1 : 0;  // the end of options
  if (args.size() <= first) return start;
  const std::vector<std::string> paths(args.begin() + static_cast<std::ptrdiff_t>(first),
                                       args.end());
  const std::string single = paths.size() == 1 ? ArgumentPath(paths[0]) : std::string();
  if (!single.empty() && single.find('\0') == std::string::npos) {
    const std::string absolute = Absolute(single, currentDir);
    if (!absolute.empty() && absolute[0] == '/' && kindOf(absolute) == TPathKind::Folder) {
      start.Folder = absolute;
      return start;
    }
  }
  TSelection selection = SelectionFor(paths, currentDir, kindOf);
  start.Folder = selection.Folder;
  start.Selection = std::move(selection.Names);
  if (selection.Error == TSelectionError::None) return start;
  start.Folder.clear();
  start.Selection.clear();
  start.Warning =
      "morvane: " + SelectionErrorText(selection, [](const std::string& path) { return path; }) +
      "; starting without a folder\n";
  start.Refused = std::move(selection);
  return start;
}

}  // namespace App

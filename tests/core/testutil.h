#pragma once

#include <functional>
#include <map>
#include <string>
#include <vector>

namespace TestUtil {

// A fresh folder under /tmp, removed with everything in it at destruction.
class TTempDir {
 public:
  TTempDir();
  ~TTempDir();
  TTempDir(const TTempDir&) = delete;
  TTempDir& operator=(const TTempDir&) = delete;
  const std::string& Path() const;                  // no trailing "/"
  std::string File(const std::string& name) const;  // Path() + "/" + name
 private:
  std::string FPath;
};

void WriteFileBytes(const std::string& path, const std::string& data);
std::string ReadFileBytes(const std::string& path);  // empty when missing
bool Exists(const std::string& path);                // lstat succeeds
// Names in a folder, sorted, without "." and "..".
std::vector<std::string> ListNames(const std::string& dir);
// Every file of a folder: name -> content.
std::map<std::string, std::string> ReadFolder(const std::string& dir);

// The message of the settings store's write error that write raises, or
// "no error" when it raises none.
std::string WriteError(const std::function<void()>& write);

// The user id that RunUnprivileged switches to (65534, "nobody").
constexpr unsigned NobodyId = 65534;

// Gives path and everything below it to NobodyId (only when running as root).
void GiveToNobody(const std::string& path);

// Runs fn in a child process that has dropped root (to NobodyId) when the test
// runs as root, so that permission bits are honoured. Returns fn's result, or
// -1 when the child failed to run it.
int RunUnprivileged(const std::function<int()>& fn);

}  // namespace TestUtil

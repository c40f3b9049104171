#include <fcntl.h>
#include <spawn.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <string>

#include "platform/system.h"

namespace Platform {

namespace {

// Longest answer read from a query; a desktop file id is far shorter.
constexpr size_t MaxAnswer = 4096;

std::string Trimmed(const std::string& text) {
  const size_t first = text.find_first_not_of(" \t\r\n");
  if (first == std::string::npos) return {};
  return text.substr(first, text.find_last_not_of(" \t\r\n") - first + 1);
}

std::string ReadAnswer(int fd) {
  std::string answer;
  char buffer[512];
  for (;;) {
    ssize_t n = ::read(fd, buffer, sizeof buffer);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) break;
    if (answer.size() < MaxAnswer) answer.append(buffer, static_cast<size_t>(n));
  }
  return answer;
}

// Runs argv (looked up on PATH) with no input and its errors discarded;
// its output when it exits with 0, else empty.
std::string OutputOf(char* const argv[]) {
  int pipeFds[2];
  if (::pipe2(pipeFds, O_CLOEXEC) != 0) return {};
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_addopen(&actions, 0, "/dev/null", O_RDONLY, 0);
  posix_spawn_file_actions_adddup2(&actions, pipeFds[1], 1);
  posix_spawn_file_actions_addopen(&actions, 2, "/dev/null", O_WRONLY, 0);
  pid_t pid = 0;
  const int spawned = ::posix_spawnp(&pid, argv[0], &actions, nullptr, argv, environ);
  posix_spawn_file_actions_destroy(&actions);
  ::close(pipeFds[1]);
  std::string answer = spawned == 0 ? ReadAnswer(pipeFds[0]) : std::string();
  ::close(pipeFds[0]);
  if (spawned != 0) return {};
  int status = 0;
  while (::waitpid(pid, &status, 0) < 0 && errno == EINTR) {
  }
  return WIFEXITED(status) && WEXITSTATUS(status) == 0 ? answer : std::string();
}

}  // namespace

std::string DefaultApplicationFor(const std::string& mimeType) {
  std::string command = "xdg-mime", query = "query", which = "default", type = mimeType;
  char* argv[] = {command.data(), query.data(), which.data(), type.data(), nullptr};
  return Trimmed(OutputOf(argv));
}

bool LinkIfAbsent(const std::string& target, const std::string& link) {
  struct stat st;
  if (::lstat(link.c_str(), &st) == 0) return false;
  return ::symlink(target.c_str(), link.c_str()) == 0;
}

}  // namespace Platform

// Preloaded into the second run of the rename tests: the atomic no-replace
// rename is refused as on file systems that lack it, so that the program's
// check-then-rename fallback is what those tests exercise.
#include <stdio.h>

#include <cerrno>

extern "C" int renameat2(int oldDir, const char* oldPath, int newDir, const char* newPath,
                         unsigned int flags) {
  if (flags != 0) {
    errno = EINVAL;
    return -1;
  }
  return renameat(oldDir, oldPath, newDir, newPath);
}

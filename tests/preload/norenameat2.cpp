// Preloaded into the second run of the rename tests: the atomic no-replace
// rename is refused as on file systems that lack it, so that the program's
// fallback is what those tests exercise. With MORVANE_NO_LINKAT set (not empty), hard
// links are refused too (EPERM), as on file systems without them.
#include <dlfcn.h>
#include <stdio.h>

#include <cerrno>
#include <cstdlib>

// NOLINTNEXTLINE(readability-inconsistent-declaration-parameter-name): the C library's call
extern "C" int renameat2(int oldDir, const char* oldPath, int newDir, const char* newPath,
                         unsigned int flags) {
  if (flags != 0) {
    errno = EINVAL;
    return -1;
  }
  return renameat(oldDir, oldPath, newDir, newPath);
}

// NOLINTNEXTLINE(readability-identifier-naming,readability-inconsistent-declaration-parameter-name)
extern "C" int linkat(int oldDir, const char* oldPath, int newDir, const char* newPath, int flags) {
  using TLinkAt = int (*)(int, const char*, int, const char*, int);
  static const auto real = reinterpret_cast<TLinkAt>(::dlsym(RTLD_NEXT, "linkat"));
  const char* noLinks = std::getenv("MORVANE_NO_LINKAT");
  if ((noLinks && *noLinks) || !real) {
    errno = EPERM;
    return -1;
  }
  return real(oldDir, oldPath, newDir, newPath, flags);
}

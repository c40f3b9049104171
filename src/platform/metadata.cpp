#include "platform/metadata.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <time.h>
#include <unistd.h>

#include <cerrno>
#include <cstdint>
#include <optional>
#include <string>

#include "platform/metadataformats.h"

namespace Platform {

namespace {

// Longest time spent reading one file; a slow disk or a stalled network
// folder costs a missing field, not a hung run.
constexpr int64_t ReadMs = 5000;

// Days from 1970-01-01 to a date of the proleptic Gregorian calendar.
int64_t DaysFromCivil(int64_t y, int m, int d) {
  y -= m <= 2;
  const int64_t era = (y >= 0 ? y : y - 399) / 400;
  const int64_t yoe = y - era * 400;
  const int64_t doy = (153 * (m + (m > 2 ? -3 : 9)) + 2) / 5 + d - 1;
  const int64_t doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
  return era * 146097 + doe - 719468;
}

int DaysInMonth(int y, int m) {
  static const int days[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  const bool leap = (y % 4 == 0 && y % 100 != 0) || y % 400 == 0;
  return m == 2 && leap ? 29 : days[m - 1];
}

// The number of width digits at pos, or -1.
int Digits(const std::string& text, size_t pos, size_t width) {
  if (pos + width > text.size()) return -1;
  int value = 0;
  for (size_t i = pos; i < pos + width; ++i) {
    if (text[i] < '0' || text[i] > '9') return -1;
    value = value * 10 + (text[i] - '0');
  }
  return value;
}

struct TDateParts {
  int Year = -1, Month = -1, Day = -1, Hour = 0, Minute = 0, Second = 0;
};

// Splits the text at its fixed positions; false when the layout differs.
bool SplitDate(const std::string& text, TDateParts& p) {
  const char sep = text.size() > 4 ? text[4] : 0;
  if ((sep != ':' && sep != '-') || text.size() < 10 || text[7] != sep) return false;
  p.Year = Digits(text, 0, 4), p.Month = Digits(text, 5, 2), p.Day = Digits(text, 8, 2);
  if (text.size() == 10 || text[10] == '\0') return sep == '-';  // XMP may give the date alone
  if (text[10] != ' ' && text[10] != 'T') return false;
  p.Hour = Digits(text, 11, 2), p.Minute = Digits(text, 14, 2);
  if (text.size() < 16 || text[13] != ':') return false;
  if (text.size() > 16 && text[16] == ':') p.Second = Digits(text, 17, 2);
  return true;
}

}  // namespace

std::optional<int64_t> ParseTakenDate(const std::string& text) {
  TDateParts p;
  if (!SplitDate(text, p)) return std::nullopt;
  if (p.Year < 1 || p.Month < 1 || p.Month > 12 || p.Day < 1) return std::nullopt;
  if (p.Day > DaysInMonth(p.Year, p.Month)) return std::nullopt;
  if (p.Hour < 0 || p.Hour > 23 || p.Minute < 0 || p.Minute > 59) return std::nullopt;
  if (p.Second < 0 || p.Second > 60) return std::nullopt;
  const int64_t days = DaysFromCivil(p.Year, p.Month, p.Day);
  return days * 86400 + p.Hour * 3600 + p.Minute * 60 + std::min(p.Second, 59);
}

namespace Formats {

int64_t NowMs() {
  struct timespec ts;
  ::clock_gettime(CLOCK_MONOTONIC, &ts);
  return int64_t{ts.tv_sec} * 1000 + ts.tv_nsec / 1000000;
}

size_t ReadAt(const TReadBudget& budget, off_t offset, char* buffer, size_t count) {
  size_t done = 0;
  while (done < count && NowMs() < budget.Deadline) {
    const ssize_t n = ::pread(budget.Fd, buffer + done, count - done, offset + off_t(done));
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) break;
    done += static_cast<size_t>(n);
  }
  return done;
}

std::optional<TBoxHeader> BoxHeaderOf(std::string_view bytes) {
  const auto number = [bytes](size_t at, size_t count) {
    uint64_t value = 0;
    for (size_t i = at; i < at + count; ++i) value = value << 8 | uint8_t(bytes[i]);
    return value;
  };
  if (bytes.size() < 8) return std::nullopt;
  TBoxHeader box{uint32_t(number(4, 4)), number(0, 4), 8};
  if (box.Length != 1) return box;
  if (bytes.size() < 16) return std::nullopt;  // a 64-bit length follows the type
  box.Length = number(8, 8);
  box.Size = 16;
  return box;
}

}  // namespace Formats

namespace {

// Opens a regular file (symbolic links followed) without waiting: a FIFO or a
// device is refused before it is opened, and what was opened is checked again
// in case the path changed in between.
int OpenRegular(const std::string& path, off_t& size) {
  struct stat st;
  if (::stat(path.c_str(), &st) != 0 || !S_ISREG(st.st_mode)) return -1;
  const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK | O_NOCTTY);
  if (fd < 0) return -1;
  if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
    ::close(fd);
    return -1;
  }
  size = st.st_size;
  return fd;
}

}  // namespace

TFileFacts ReadFacts(const std::string& path, const TNeededFacts& needed) {
  TFileFacts facts;
  if (needed.Modified) {
    struct stat st;
    if (::lstat(path.c_str(), &st) == 0) facts.Modified = int64_t{st.st_mtime};
  }
  const bool photo = needed.Taken || needed.Camera;
  if (!photo && !needed.Audio) return facts;
  Formats::TReadBudget budget;
  budget.Fd = OpenRegular(path, budget.Size);
  if (budget.Fd < 0) return facts;
  budget.Deadline = Formats::NowMs() + ReadMs;
  if (photo) {
    // A photo's metadata is read in a few exact pieces; the system's read-ahead
    // would fetch image data around them that is never used, which costs more
    // than the pieces themselves when the file is not yet cached.
    ::posix_fadvise(budget.Fd, 0, 0, POSIX_FADV_RANDOM);
    Formats::ReadPhotoFacts(budget, needed, facts);
  }
  if (needed.Audio) {
    if (photo) ::posix_fadvise(budget.Fd, 0, 0, POSIX_FADV_NORMAL);
    Formats::ReadAudioFacts(budget, path, facts);
  }
  ::close(budget.Fd);
  return facts;
}

}  // namespace Platform

#pragma once

#include <sys/types.h>

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "platform/metadata.h"

// The format readers behind ReadFacts, each over a file that ReadFacts has
// opened and checked to be regular. They fill what they can and never throw.
namespace Platform::Formats {

// What the readers may spend on one file.
struct TReadBudget {
  int Fd = -1;
  off_t Size = 0;        // the file's length when it was opened
  int64_t Deadline = 0;  // monotonic milliseconds after which reading stops
};

// Monotonic clock in milliseconds.
int64_t NowMs();

// Reads up to count bytes at offset into buffer; fewer at the end of the file,
// on an error or once the deadline has passed.
size_t ReadAt(const TReadBudget& budget, off_t offset, char* buffer, size_t count);

// The header of a box of the ISO media format (MP4, HEIF): its type, its
// length (0: it runs to the end of what holds it) and the header's own size.
struct TBoxHeader {
  uint32_t Type = 0;
  uint64_t Length = 0;
  size_t Size = 8;
};

// The header at the start of bytes; empty when they hold less than it.
std::optional<TBoxHeader> BoxHeaderOf(std::string_view bytes);

// Whether head, the first bytes of a file, opens a HEIF or AVIF image.
bool IsHeif(std::string_view head);

// The EXIF block of a HEIF or AVIF image, from its TIFF header on; empty when
// there is none or the boxes that lead to it are not sound. head holds the
// file's first bytes, read already; the rest is read only where needed.
std::string HeifExif(const TReadBudget& budget, std::string_view head);

// Date taken and camera model through exiv2.
void ReadPhotoFacts(const TReadBudget& budget, const TNeededFacts& needed, TFileFacts& facts);

// Artist, album, title, year and track through TagLib; path gives the
// extension that picks the format before the content is probed.
void ReadAudioFacts(const TReadBudget& budget, const std::string& path, TFileFacts& facts);

}  // namespace Platform::Formats

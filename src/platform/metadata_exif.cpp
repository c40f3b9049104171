// Date taken and camera model of photos, through exiv2. The file's head is
// read into memory and parsed there, so the parser never touches the file and
// never sees more than a bounded number of bytes.
#include "platform/metadata.h"

#include <algorithm>
#include <iterator>
#include <mutex>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include <exiv2/exiv2.hpp>
#include <exiv2/webpimage.hpp>

#include "platform/metadataformats.h"

namespace Platform::Formats {

namespace {

// The first read. JPEG keeps its metadata in the segments before the image
// data, which mostly fit in it; the read is stretched to reach the image data
// when they do not, and the image data itself is never read.
constexpr size_t FirstBytes = size_t{64} << 10;
// The head of other formats: TIFF and raw formats keep their metadata mostly
// near the start.
constexpr size_t HeadBytes = size_t{256} << 10;
// The second read, when the first did not give what was needed (PNG and WebP
// may keep their metadata behind the image); files beyond it are read no
// further than this.
constexpr size_t MaxPhotoBytes = size_t{64} << 20;

std::mutex XmpToolkitLock;

void LockXmpToolkit(void* /*data*/, bool lock) {
  if (lock) {
    XmpToolkitLock.lock();
  } else {
    XmpToolkitLock.unlock();
  }
}

// Once per process: silence the library's own messages, make its XMP toolkit
// safe across threads.
void SetUpExiv2() {
  static std::once_flag once;
  std::call_once(once, [] {
    Exiv2::LogMsg::setLevel(Exiv2::LogMsg::mute);
    Exiv2::XmpParser::initialize(LockXmpToolkit, nullptr);
  });
}

// Keys are parsed once: building one from its text costs more than finding it.
std::optional<std::string> ExifText(const Exiv2::ExifData& exif, const Exiv2::ExifKey& key) {
  const auto it = exif.findKey(key);
  if (it == exif.end() || it->typeId() != Exiv2::asciiString) return std::nullopt;
  return it->toString();
}

std::optional<std::string> XmpText(const Exiv2::XmpData& xmp, const Exiv2::XmpKey& key) {
  const auto it = xmp.findKey(key);
  if (it == xmp.end() || it->typeId() != Exiv2::xmpText) return std::nullopt;
  return it->toString();
}

std::optional<int64_t> TakenOf(const Exiv2::ExifData& exif, const Exiv2::XmpData& xmp) {
  static const Exiv2::ExifKey exifKeys[] = {Exiv2::ExifKey("Exif.Photo.DateTimeOriginal"),
                                            Exiv2::ExifKey("Exif.Image.DateTimeOriginal"),
                                            Exiv2::ExifKey("Exif.Photo.DateTimeDigitized")};
  for (const Exiv2::ExifKey& key : exifKeys) {
    const auto text = ExifText(exif, key);
    if (const auto taken = text ? ParseTakenDate(*text) : std::nullopt) return taken;
  }
  if (xmp.empty()) return std::nullopt;
  static const Exiv2::XmpKey xmpKeys[] = {Exiv2::XmpKey("Xmp.exif.DateTimeOriginal"),
                                          Exiv2::XmpKey("Xmp.photoshop.DateCreated"),
                                          Exiv2::XmpKey("Xmp.xmp.CreateDate")};
  for (const Exiv2::XmpKey& key : xmpKeys) {
    const auto text = XmpText(xmp, key);
    if (const auto taken = text ? ParseTakenDate(*text) : std::nullopt) return taken;
  }
  return std::nullopt;
}

std::optional<std::string> CameraOf(const Exiv2::ExifData& exif) {
  static const Exiv2::ExifKey key("Exif.Image.Model");
  auto model = ExifText(exif, key);
  if (!model) return std::nullopt;
  const size_t end = model->find_last_not_of(std::string(" \0", 2));
  if (end == std::string::npos) return std::nullopt;
  model->resize(end + 1);
  return model;
}

bool HasNeeded(const TNeededFacts& needed, const TFileFacts& facts) {
  return (!needed.Taken || facts.Taken) && (!needed.Camera || facts.Camera);
}

// Still-image formats that carry EXIF or XMP. The library's video parsers
// (QuickTime, Matroska, RIFF, ASF) descend into nested boxes without a depth
// limit, so a crafted movie could exhaust the stack; its HEIF and AVIF
// parser holds every enclosing box in memory while it reads a nested one, so
// a crafted file of a few megabytes asks for gigabytes. Neither is used:
// HEIF and AVIF items are found by metadata_heif.cpp, and only their EXIF
// block goes to the library.
bool IsPhotoType(int type) {
  namespace T = Exiv2::ImageType;
  static const int photoTypes[] = {T::jpeg, T::exv, T::crw, T::tiff, T::mrw, T::png, T::cr2,
                                   T::raf,  T::orf, T::psd, T::jp2,  T::rw2, T::pgf, T::webp};
  return std::find(std::begin(photoTypes), std::end(photoTypes), type) != std::end(photoTypes);
}

enum class TParse { NotPhoto, GaveUp, Whole };

// Parses the bytes held. GaveUp, for a head cut short, may mean only that
// more bytes are needed.
TParse ParsePhoto(const std::vector<char>& data, const TNeededFacts& needed, TFileFacts& facts) {
  try {
    const auto* bytes = reinterpret_cast<const Exiv2::byte*>(data.data());
    const long size = static_cast<long>(data.size());
    const int type = Exiv2::ImageFactory::getType(bytes, size);
    if (!IsPhotoType(type)) return TParse::NotPhoto;
    const auto image = Exiv2::ImageFactory::open(bytes, size);
    image->readMetadata();
    if (needed.Taken) facts.Taken = TakenOf(image->exifData(), image->xmpData());
    if (needed.Camera) facts.Camera = CameraOf(image->exifData());
    return TParse::Whole;
  } catch (...) {
    return TParse::GaveUp;
  }
}

// Appends the file's bytes from what data holds up to upTo, no further than
// the file reached when it was opened: asking past its end would cost a read
// that can only come back empty. False when nothing more came.
bool ReadUpTo(const TReadBudget& budget, size_t upTo, std::vector<char>& data) {
  const size_t held = data.size();
  const size_t want = std::min(upTo, static_cast<size_t>(std::max<off_t>(budget.Size, 0)));
  if (want <= held) return false;
  data.resize(want);
  data.resize(held + ReadAt(budget, off_t(held), data.data() + held, want - held));
  return data.size() > held;
}

bool IsJpeg(const std::vector<char>& data) {
  return data.size() >= 2 && data[0] == '\xFF' && data[1] == '\xD8';
}

// One segment of a JPEG: its marker, and where its body starts and ends.
struct TSegment {
  unsigned char Marker = 0;
  size_t Body = 0, End = 0;
};

enum class TStep { Segment, Last, Short };

// The segment at pos, found as the library finds it: anything up to a 0xFF,
// any run of 0xFF, the marker, then the segment's length. Last at the first
// scan or the end of the image (or at a length the library refuses); Short
// when data ends before the segment's header.
TStep SegmentAt(const std::vector<char>& data, size_t pos, TSegment& segment) {
  const auto byte = [&data](size_t i) { return static_cast<unsigned char>(data[i]); };
  while (pos < data.size() && byte(pos) != 0xFF) ++pos;
  while (pos < data.size() && byte(pos) == 0xFF) ++pos;
  if (pos + 3 > data.size()) return TStep::Short;
  if (byte(pos) == 0xDA || byte(pos) == 0xD9) return TStep::Last;  // start of scan, end of image
  const size_t length = size_t{byte(pos + 1)} << 8 | byte(pos + 2);
  if (length < 2) return TStep::Last;
  segment = {byte(pos), pos + 3, pos + 1 + length};
  return TStep::Segment;
}

// Steps over the segments held from pos on: true at the last, false (pos at
// the segment it could not step over) when they run past the bytes held.
bool WalkSegments(const std::vector<char>& data, size_t& pos) {
  TSegment segment;
  for (;;) {
    const TStep step = SegmentAt(data, pos, segment);
    if (step != TStep::Segment) return step == TStep::Last;
    pos = segment.End;
  }
}

// The date and camera of an EXIF block alone, from its TIFF header on.
void DecodeExif(std::string_view tiff, const TNeededFacts& needed, TFileFacts& facts) {
  try {
    static const Exiv2::XmpData noXmp;
    Exiv2::ExifData exif;
    Exiv2::ExifParser::decode(exif, reinterpret_cast<const Exiv2::byte*>(tiff.data()),
                              static_cast<uint32_t>(tiff.size()));
    if (needed.Taken) facts.Taken = TakenOf(exif, noXmp);
    if (needed.Camera) facts.Camera = CameraOf(exif);
  } catch (...) {
  }
}

// exiv2 gives up on a whole JPEG for a fault in any of its segments (a
// colour profile whose length is wrong, say) or for a file cut short after
// its metadata; the EXIF block, the first APP1 segment that starts
// "Exif\0\0", may still be sound on its own.
void ParseExifBlock(const std::vector<char>& data, const TNeededFacts& needed, TFileFacts& facts) {
  static const std::string_view exifId("Exif\0\0", 6);
  TSegment segment;
  for (size_t pos = 2; SegmentAt(data, pos, segment) == TStep::Segment; pos = segment.End) {
    const std::string_view head(data.data() + segment.Body,
                                std::min(data.size(), segment.End) - segment.Body);
    if (segment.Marker != 0xE1 || head.substr(0, exifId.size()) != exifId) continue;
    if (segment.End <= data.size()) DecodeExif(head.substr(exifId.size()), needed, facts);
    return;
  }
}

// Reads on until data holds every segment before the JPEG's image data, or
// the file or the limit ends.
void ReadJpegSegments(const TReadBudget& budget, std::vector<char>& data) {
  size_t pos = 2;
  while (!WalkSegments(data, pos)) {
    if (!ReadUpTo(budget, std::min(data.size() + FirstBytes, MaxPhotoBytes), data)) return;
  }
}

}  // namespace

void ReadPhotoFacts(const TReadBudget& budget, const TNeededFacts& needed, TFileFacts& facts) {
  SetUpExiv2();
  std::vector<char> data;
  if (!ReadUpTo(budget, FirstBytes, data)) return;
  const std::string_view first(data.data(), data.size());
  if (IsHeif(first)) {
    const std::string tiff = HeifExif(budget, first);
    if (!tiff.empty()) DecodeExif(tiff, needed, facts);
    return;
  }
  if (IsJpeg(data)) {
    ReadJpegSegments(budget, data);
    if (ParsePhoto(data, needed, facts) == TParse::GaveUp) ParseExifBlock(data, needed, facts);
    return;
  }
  ReadUpTo(budget, HeadBytes, data);
  const TParse head = ParsePhoto(data, needed, facts);
  const bool settled = HasNeeded(needed, facts) || head == TParse::NotPhoto;
  if (settled || data.size() < HeadBytes) return;
  if (ReadUpTo(budget, MaxPhotoBytes, data)) ParsePhoto(data, needed, facts);
}

}  // namespace Platform::Formats

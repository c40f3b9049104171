// Artist, album, title, year and track of music files, through TagLib. The
// library reads through a stream over the already opened file that refuses
// every change, stops at the deadline and hands out bounded blocks.
#include "platform/metadata.h"

#include <strings.h>

#include <algorithm>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include <taglib/flacfile.h>
#include <taglib/id3v2framefactory.h>
#include <taglib/mp4file.h>
#include <taglib/mpegfile.h>
#include <taglib/opusfile.h>
#include <taglib/tag.h>
#include <taglib/tiostream.h>
#include <taglib/tpropertymap.h>
#include <taglib/vorbisfile.h>
#include <unicode/ustring.h>

#include "platform/metadataformats.h"

namespace Platform::Formats {

namespace {

// Largest block handed out at once: room for tags with cover pictures, not for
// the gigabytes a hostile length field may ask for.
constexpr unsigned long MaxBlockBytes = 64ul << 20;

// MP4 atoms nest in a real file about six deep; the music library descends
// into them by recursion without a limit of its own.
constexpr int MaxAtomDepth = 32;
constexpr long MaxAtomVisits = 200000;

// The offsets after an atom's header at which its children may start, as the
// music library reads them: "meta" may carry a version and flags, "stsd" also
// an entry count.
std::vector<int> ChildSkips(std::string_view atom) {
  static const char* const containers[] = {"moov", "udta", "mdia", "ilst", "stbl",
                                           "minf", "moof", "traf", "trak"};
  if (atom == "meta") return {0, 4};
  if (atom == "stsd") return {0, 8};
  for (const char* container : containers) {
    if (atom == container) return {0};
  }
  return {};
}

// Walks the atoms from begin to end the way the music library would, every
// possible start of children included; false when they nest deeper than
// MaxAtomDepth or are too many to walk, which a real file never does.
bool AtomsShallow(const TReadBudget& budget, int64_t begin, int64_t end, int depth, long& visits) {
  if (depth > MaxAtomDepth) return false;
  for (int64_t pos = begin; pos + 8 <= end;) {
    if (--visits < 0) return false;
    char head[16];
    const std::string_view held(head, ReadAt(budget, pos, head, sizeof head));
    const auto atom = BoxHeaderOf(held);
    if (!atom) return true;
    const uint64_t length = atom->Length == 0 ? uint64_t(budget.Size - pos) : atom->Length;
    if (length < 8 || length > static_cast<uint64_t>(budget.Size)) return true;
    const int64_t atomEnd = std::min<int64_t>(pos + int64_t(length), budget.Size);
    for (int skip : ChildSkips(held.substr(4, 4))) {
      const int64_t children = pos + int64_t(atom->Size) + skip;
      if (!AtomsShallow(budget, children, atomEnd, depth + 1, visits)) return false;
    }
    pos += int64_t(length);
  }
  return true;
}

// ID3v2 chapter frames hold frames of their own, chapters again among them,
// and the music library reads them by recursion without a limit: a file with
// more chapter frames than this in its first MaxScanBytes is not read.
constexpr int MaxChapterFrames = 512;
constexpr int64_t MaxScanBytes = int64_t{64} << 20;

bool FewChapters(const TReadBudget& budget) {
  constexpr size_t chunkBytes = size_t{1} << 20;
  std::string chunk(chunkBytes, '\0');
  int chapters = 0;
  for (int64_t pos = 0; pos < std::min<int64_t>(budget.Size, MaxScanBytes); pos += chunkBytes) {
    // Three bytes of the chunk before, for a name that straddles the border.
    const int64_t from = std::max<int64_t>(0, pos - 3);
    chunk.resize(ReadAt(budget, from, chunk.data(), chunkBytes));
    for (size_t at = 0; (at = chunk.find('C', at)) != std::string::npos; ++at) {
      if (chunk.compare(at, 4, "CHAP") == 0 || chunk.compare(at, 4, "CTOC") == 0) ++chapters;
    }
    if (chapters > MaxChapterFrames || chunk.empty()) return chapters <= MaxChapterFrames;
    chunk.resize(chunkBytes);
  }
  return true;
}

// Length of the ID3v2 tag at the start of head, 0 when there is none.
int64_t Id3v2Length(const std::string& head) {
  if (head.size() < 10 || head.compare(0, 3, "ID3") != 0) return 0;
  int64_t size = 0;
  for (int i = 6; i < 10; ++i) size = size << 7 | (head[i] & 0x7F);
  return 10 + size;
}

// The music formats read, known by their first bytes: MP4, Ogg Vorbis, Opus,
// FLAC (an ID3v2 tag may come first) and MP3 (by its tag, frame sync or name).
std::unique_ptr<TagLib::File> OpenTagged(TagLib::IOStream& stream, const TReadBudget& budget,
                                         const std::string& path) {
  std::string head(64, '\0');
  head.resize(ReadAt(budget, 0, head.data(), head.size()));
  if (head.size() >= 8 && head.compare(4, 4, "ftyp") == 0) {
    long visits = MaxAtomVisits;
    if (!AtomsShallow(budget, 0, budget.Size, 0, visits)) return nullptr;
    return std::make_unique<TagLib::MP4::File>(&stream, false);
  }
  if (head.compare(0, 4, "OggS") == 0) {
    if (head.find("OpusHead") != std::string::npos) {
      return std::make_unique<TagLib::Ogg::Opus::File>(&stream, false);
    }
    if (head.find("\x01vorbis") == std::string::npos) return nullptr;
    return std::make_unique<TagLib::Ogg::Vorbis::File>(&stream, false);
  }
  const int64_t tag = Id3v2Length(head);
  char magic[4] = {};
  const bool flac = ReadAt(budget, tag, magic, 4) == 4 && std::string(magic, 4) == "fLaC";
  const bool sync = head.size() >= 2 && uint8_t(head[0]) == 0xFF && (head[1] & 0xE0) == 0xE0;
  const bool named = path.size() > 4 && strcasecmp(path.c_str() + path.size() - 4, ".mp3") == 0;
  if (!flac && tag == 0 && !sync && !named) return nullptr;
  if (!FewChapters(budget)) return nullptr;
  auto* frames = TagLib::ID3v2::FrameFactory::instance();
  if (flac) return std::make_unique<TagLib::FLAC::File>(&stream, frames, false);
  return std::make_unique<TagLib::MPEG::File>(&stream, frames, false);
}

class TReadOnlyStream : public TagLib::IOStream {
 public:
  TReadOnlyStream(const TReadBudget& budget, const std::string& name)
      : FBudget(budget), FName(name) {}

  TagLib::FileName name() const override { return FName.c_str(); }
  TagLib::ByteVector readBlock(unsigned long length) override;
  void writeBlock(const TagLib::ByteVector& /*data*/) override {}
  void insert(const TagLib::ByteVector& /*data*/, unsigned long /*start*/,
              unsigned long /*replace*/) override {}
  void removeBlock(unsigned long /*start*/, unsigned long /*length*/) override {}
  bool readOnly() const override { return true; }
  bool isOpen() const override { return true; }
  void seek(long offset, Position p) override;
  long tell() const override { return FPos; }
  long length() override { return static_cast<long>(FBudget.Size); }
  void truncate(long /*length*/) override {}

 private:
  TReadBudget FBudget;
  std::string FName;
  long FPos = 0;
};

TagLib::ByteVector TReadOnlyStream::readBlock(unsigned long length) {
  const long left = std::max(0L, static_cast<long>(FBudget.Size) - FPos);
  const auto count = std::min({length, static_cast<unsigned long>(left), MaxBlockBytes});
  TagLib::ByteVector data(static_cast<unsigned int>(count), '\0');
  const size_t got = count == 0 ? 0 : ReadAt(FBudget, FPos, data.data(), count);
  data.resize(static_cast<unsigned int>(got));
  FPos += static_cast<long>(got);
  return data;
}

void TReadOnlyStream::seek(long offset, Position p) {
  const long base = p == Beginning ? 0 : p == Current ? FPos : static_cast<long>(FBudget.Size);
  FPos = std::max(0L, base + offset);
}

// TagLib's own conversion gives nothing at all for text with a broken UTF-16
// unit (a lone surrogate); here each such unit becomes U+FFFD and the rest of
// the text is kept.
std::optional<std::string> TextOf(const TagLib::String& text) {
  if (text.isEmpty()) return std::nullopt;
  std::u16string units;
  units.reserve(text.size());
  for (const wchar_t unit : text) units.push_back(static_cast<char16_t>(unit));
  std::string utf8(units.size() * 3, '\0');
  int32_t length = 0;
  UErrorCode status = U_ZERO_ERROR;
  u_strToUTF8WithSub(utf8.data(), static_cast<int32_t>(utf8.size()), &length, units.data(),
                     static_cast<int32_t>(units.size()), 0xFFFD, nullptr, &status);
  if (U_FAILURE(status) || length <= 0) return std::nullopt;
  utf8.resize(static_cast<size_t>(length));
  return utf8;
}

// The first run of digits of text, at most maxDigits long: a track "3/12"
// gives 3, a date "2021-05-03" with four digits 2021. Empty for none or 0.
std::optional<int> LeadingNumber(const TagLib::StringList& values, size_t maxDigits) {
  if (values.isEmpty()) return std::nullopt;
  const std::string text = values.front().to8Bit(true);
  const size_t start = text.find_first_not_of(' ');
  int value = 0;
  size_t i = start;
  for (; i < text.size() && i - start < maxDigits && text[i] >= '0' && text[i] <= '9'; ++i) {
    value = value * 10 + (text[i] - '0');
  }
  if (start == std::string::npos || i == start || value == 0) return std::nullopt;
  return value;
}

void FillFacts(TagLib::File& file, TFileFacts& facts) {
  const TagLib::Tag* tag = file.tag();
  if (!tag) return;
  facts.Artist = TextOf(tag->artist());
  facts.Album = TextOf(tag->album());
  facts.Title = TextOf(tag->title());
  const TagLib::PropertyMap properties = file.properties();
  const auto date = properties.find("DATE");
  if (date != properties.end()) facts.Year = LeadingNumber(date->second, 4);
  const auto track = properties.find("TRACKNUMBER");
  if (track != properties.end()) facts.Track = LeadingNumber(track->second, 9);
  // A tag of lower rank (ID3v1 behind ID3v2) may still hold them.
  if (!facts.Year && tag->year() > 0 && tag->year() <= 9999)
    facts.Year = static_cast<int>(tag->year());
  if (!facts.Track && tag->track() > 0 && tag->track() <= 999999999)
    facts.Track = static_cast<int>(tag->track());
}

}  // namespace

void ReadAudioFacts(const TReadBudget& budget, const std::string& path, TFileFacts& facts) {
  try {
    TReadOnlyStream stream(budget, path);
    const std::unique_ptr<TagLib::File> file = OpenTagged(stream, budget, path);
    if (!file || !file->isValid()) return;
    FillFacts(*file, facts);
  } catch (...) {
    facts.Artist = facts.Album = facts.Title = std::nullopt;
    facts.Year = facts.Track = std::nullopt;
  }
}

}  // namespace Platform::Formats

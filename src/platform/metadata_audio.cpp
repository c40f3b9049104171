// Artist, album, title, year and track of music files, through TagLib. The
// library reads through a stream over the already opened file that refuses
// every change, stops at the deadline and hands out bounded blocks.
#include "platform/metadata.h"

#include <algorithm>
#include <optional>
#include <string>

#include <taglib/fileref.h>
#include <taglib/tag.h>
#include <taglib/tiostream.h>
#include <taglib/tpropertymap.h>

#include "platform/metadataformats.h"

namespace Platform::Formats {

namespace {

// Largest block handed out at once: room for tags with cover pictures, not for
// the gigabytes a hostile length field may ask for.
constexpr unsigned long MaxBlockBytes = 64ul << 20;

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

std::optional<std::string> TextOf(const TagLib::String& text) {
  if (text.isEmpty()) return std::nullopt;
  return text.to8Bit(true);
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
    TagLib::FileRef ref(&stream, false);
    if (ref.isNull() || !ref.file()->isValid()) return;
    FillFacts(*ref.file(), facts);
  } catch (...) {
    facts.Artist = facts.Album = facts.Title = std::nullopt;
    facts.Year = facts.Track = std::nullopt;
  }
}

}  // namespace Platform::Formats

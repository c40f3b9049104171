// The EXIF block of HEIF and AVIF images. These keep their metadata as items:
// the "meta" box lists them ("iinf") and says where their bytes lie ("iloc"),
// in the file or in the box's own data ("idat"). Only those boxes and the
// EXIF item's bytes are read, each bounded, with no recursion; the EXIF
// itself is parsed by exiv2 like any other.
#include <algorithm>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "platform/metadataformats.h"

namespace Platform::Formats {

namespace {

// A real "meta" box holds a few dozen items, some thousands for a tiled
// image: a few hundred KiB at the most.
constexpr uint64_t MaxMetaBytes = uint64_t{4} << 20;
// EXIF in a JPEG is at most 64 KiB; items here may carry a thumbnail too.
constexpr uint64_t MaxExifBytes = uint64_t{4} << 20;
// Top-level boxes looked at before "meta": a real file has one or two.
constexpr int MaxTopBoxes = 64;

constexpr uint32_t FourCc(const char (&name)[5]) {
  return uint32_t(uint8_t(name[0])) << 24 | uint32_t(uint8_t(name[1])) << 16 |
         uint32_t(uint8_t(name[2])) << 8 | uint32_t(uint8_t(name[3]));
}

// Big-endian numbers taken one after another from bytes; a take past the end
// gives 0 and leaves Ok false for good.
struct TCursor {
  std::string_view Bytes;
  size_t Pos = 0;
  bool Ok = true;

  uint64_t Take(size_t count) {
    if (!Ok || count > 8 || count > Bytes.size() - Pos) {
      Ok = false;
      return 0;
    }
    uint64_t value = 0;
    for (size_t i = 0; i < count; ++i) value = value << 8 | uint8_t(Bytes[Pos + i]);
    Pos += count;
    return value;
  }
};

struct TBox {
  uint32_t Type = 0;
  uint64_t Body = 0, End = 0;  // offsets of the box's contents and of its end
};

// The box whose header starts at pos, if it lies whole within end.
std::optional<TBox> BoxAt(std::string_view head, uint64_t pos, uint64_t end) {
  const auto header = BoxHeaderOf(head);
  if (!header) return std::nullopt;
  const uint64_t size = header->Length == 0 ? end - pos : header->Length;
  if (size < header->Size || size > end - pos) return std::nullopt;
  return TBox{header->Type, pos + header->Size, pos + size};
}

// The first box of type among the boxes held in bytes from pos on.
std::optional<TBox> FindBox(std::string_view bytes, size_t pos, uint32_t type) {
  while (pos < bytes.size()) {
    const auto box = BoxAt(bytes.substr(pos), pos, bytes.size());
    if (!box) return std::nullopt;
    if (box->Type == type) return box;
    pos = box->End;
  }
  return std::nullopt;
}

std::string_view BodyOf(std::string_view bytes, const TBox& box) {
  return bytes.substr(box.Body, box.End - box.Body);
}

// The file's bytes: those of its first read, held already, and the rest
// read as they are asked for.
struct TFileBytes {
  const TReadBudget& Budget;
  std::string_view Head;

  // Copies count bytes at offset to out; how many there were.
  size_t Copy(uint64_t offset, char* out, size_t count) const {
    if (offset <= Head.size() && count <= Head.size() - offset)
      return Head.copy(out, count, offset);
    return ReadAt(Budget, off_t(offset), out, count);
  }
};

// The "meta" box's contents after its version and flags.
std::optional<std::string> ReadMeta(const TFileBytes& file) {
  const uint64_t fileEnd = uint64_t(std::max<off_t>(file.Budget.Size, 0));
  uint64_t pos = 0;
  for (int i = 0; i < MaxTopBoxes && pos < fileEnd; ++i) {
    char head[16];
    const size_t got = file.Copy(pos, head, sizeof head);
    const auto box = BoxAt(std::string_view(head, got), pos, fileEnd);
    if (!box) return std::nullopt;
    if (box->Type == FourCc("meta")) {
      if (box->End - box->Body < 4 || box->End - box->Body > MaxMetaBytes) return std::nullopt;
      std::string meta(box->End - box->Body - 4, '\0');
      if (file.Copy(box->Body + 4, meta.data(), meta.size()) != meta.size()) return std::nullopt;
      return meta;
    }
    pos = box->End;
  }
  return std::nullopt;
}

// The ID of the item of type "Exif" in the "iinf" box's contents.
std::optional<uint64_t> ExifItemId(std::string_view iinf) {
  TCursor in{iinf};
  const uint64_t version = in.Take(1);
  in.Take(3);
  in.Take(version == 0 ? 2 : 4);  // entry count: the boxes themselves say how many
  for (size_t pos = in.Pos; in.Ok && pos < iinf.size();) {
    const auto infe = BoxAt(iinf.substr(pos), pos, iinf.size());
    if (!infe) return std::nullopt;
    pos = infe->End;
    if (infe->Type != FourCc("infe")) continue;
    TCursor entry{BodyOf(iinf, *infe)};
    const uint64_t entryVersion = entry.Take(1);
    entry.Take(3);
    if (entryVersion < 2) continue;  // no item type before version 2
    const uint64_t id = entry.Take(entryVersion == 2 ? 2 : 4);
    entry.Take(2);  // protection index
    if (entry.Take(4) == FourCc("Exif") && entry.Ok) return id;
  }
  return std::nullopt;
}

// Where an item's bytes lie: in the file, or in the "idat" box.
struct TItemPlace {
  bool InIdat = false;
  size_t Extents = 0;
  uint64_t Offset[8] = {}, Length[8] = {};
};

bool ReadExtents(TCursor& in, uint64_t version, const uint64_t (&sizes)[4], bool wanted,
                 TItemPlace& place, uint64_t base) {
  const uint64_t count = in.Take(2);
  if (wanted && (count == 0 || count > std::size(place.Offset))) return false;
  for (uint64_t e = 0; e < count && in.Ok; ++e) {
    if (version >= 1) in.Take(sizes[3]);  // extent index
    const uint64_t offset = in.Take(sizes[0]), length = in.Take(sizes[1]);
    if (!wanted) continue;
    if (length == 0) return false;  // "the rest of the file": not an EXIF block
    place.Offset[e] = base + offset;
    place.Length[e] = length;
  }
  place.Extents = wanted ? count : place.Extents;
  return in.Ok;
}

// The place of item id, from the "iloc" box's contents.
std::optional<TItemPlace> ItemPlace(std::string_view iloc, uint64_t id) {
  TCursor in{iloc};
  const uint64_t version = in.Take(1);
  if (version > 2) return std::nullopt;  // a layout this reader does not know
  in.Take(3);
  const uint64_t packed = in.Take(2);
  // offset, length, base offset and index sizes, in bytes
  const uint64_t sizes[4] = {packed >> 12, packed >> 8 & 0xF, packed >> 4 & 0xF,
                             version >= 1 ? packed & 0xF : 0};
  for (const uint64_t size : sizes) {
    if (size != 0 && size != 4 && size != 8) return std::nullopt;
  }
  const uint64_t items = in.Take(version < 2 ? 2 : 4);
  for (uint64_t i = 0; i < items && in.Ok; ++i) {
    const uint64_t itemId = in.Take(version < 2 ? 2 : 4);
    const uint64_t method = version >= 1 ? in.Take(2) & 0xF : 0;
    in.Take(2);  // data reference index
    const uint64_t base = in.Take(sizes[2]);
    TItemPlace place;
    place.InIdat = method == 1;
    const bool wanted = itemId == id;
    if (!ReadExtents(in, version, sizes, wanted, place, base)) return std::nullopt;
    if (wanted) return method <= 1 ? std::optional(place) : std::nullopt;
  }
  return std::nullopt;
}

// The item's bytes, joined from its extents.
std::optional<std::string> ItemBytes(const TFileBytes& file, std::string_view idat,
                                     const TItemPlace& place) {
  std::string bytes;
  for (size_t e = 0; e < place.Extents; ++e) {
    const uint64_t offset = place.Offset[e], length = place.Length[e];
    if (length > MaxExifBytes - bytes.size()) return std::nullopt;
    const uint64_t within =
        place.InIdat ? idat.size() : uint64_t(std::max<off_t>(file.Budget.Size, 0));
    if (offset > within || length > within - offset) return std::nullopt;
    const size_t held = bytes.size();
    bytes.resize(held + length);
    if (place.InIdat) {
      idat.copy(bytes.data() + held, length, offset);
    } else if (file.Copy(offset, bytes.data() + held, length) != length) {
      return std::nullopt;
    }
  }
  return bytes;
}

}  // namespace

bool IsHeif(std::string_view head) {
  static const char* const brands[] = {"heic", "heix", "heim", "heis", "hevc",
                                       "hevx", "mif1", "msf1", "avif", "avis"};
  const auto box = BoxAt(head, 0, head.size());
  if (!box || box->Type != FourCc("ftyp")) return false;
  const std::string_view body = BodyOf(head, *box);
  for (size_t at = 0; at + 4 <= body.size(); at += at == 0 ? 8 : 4) {  // major, then compatible
    if (std::find(std::begin(brands), std::end(brands), body.substr(at, 4)) != std::end(brands))
      return true;
  }
  return false;
}

std::string HeifExif(const TReadBudget& budget, std::string_view head) {
  const TFileBytes file{budget, head};
  const std::optional<std::string> meta = ReadMeta(file);
  if (!meta) return {};
  const auto iinf = FindBox(*meta, 0, FourCc("iinf"));
  const auto iloc = FindBox(*meta, 0, FourCc("iloc"));
  const auto idat = FindBox(*meta, 0, FourCc("idat"));
  const auto id = iinf ? ExifItemId(BodyOf(*meta, *iinf)) : std::nullopt;
  const auto place = id && iloc ? ItemPlace(BodyOf(*meta, *iloc), *id) : std::nullopt;
  const auto item = place
                        ? ItemBytes(file, idat ? BodyOf(*meta, *idat) : std::string_view(), *place)
                        : std::nullopt;
  // The item starts with the offset of the TIFF header behind it ("Exif\0\0").
  TCursor in{item ? std::string_view(*item) : std::string_view()};
  const uint64_t start = in.Take(4);
  if (!in.Ok || start > item->size() - 4) return {};
  return item->substr(4 + start);
}

}  // namespace Platform::Formats

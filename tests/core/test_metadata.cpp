// The metadata reader on files the test makes: tiny photos tagged by exiftool,
// short silent songs made and tagged by ffmpeg, and hostile files built from
// bytes. What it reads must agree with what exiftool reads from the same file.
#include <fcntl.h>
#include <stdio.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>
#include <map>
#include <optional>
#include <regex>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "core/photos.h"
#include "platform/metadata.h"
#include "testutil.h"

namespace {

using Platform::ReadFacts;
using Platform::TFileFacts;
using Platform::TNeededFacts;
using TestUtil::TTempDir;

const TNeededFacts All{true, true, true, true};

bool HasTool(const char* name) {
  return std::system((std::string("command -v ") + name + " >/dev/null 2>&1").c_str()) == 0;
}

std::string Output(const std::string& command) {
  std::string out;
  if (FILE* pipe = ::popen(command.c_str(), "r")) {
    char buffer[4096];
    for (size_t n; (n = fread(buffer, 1, sizeof buffer, pipe)) > 0;) out.append(buffer, n);
    ::pclose(pipe);
  }
  return out;
}

// A JPEG whose EXIF block is the TIFF structure given (from its header on).
std::string JpegWithTiff(const std::string& tiff) {
  const std::string body = std::string("Exif\0\0", 6) + tiff;
  const size_t len = body.size() + 2;
  return std::string("\xFF\xD8\xFF\xE1", 4) + char(len >> 8) + char(len & 0xFF) + body +
         TestUtil::TinyJpeg().substr(2);
}

// The 128 bytes of an ID3v1 tag.
std::string Id3v1(const std::string& title, const std::string& artist, const std::string& year,
                  int track) {
  auto field = [](const std::string& s, size_t n) {
    return (s + std::string(n, '\0')).substr(0, n);
  };
  return "TAG" + field(title, 30) + field(artist, 30) + field("", 30) + field(year, 4) +
         field("", 28) + '\0' + char(track) + '\xFF';
}

// exiftool -json of files, as name -> the text of its object.
std::map<std::string, std::string> ExiftoolJson(const TTempDir& dir) {
  const std::string json = Output("cd '" + dir.Path() + "' && exiftool -json -q -q *");
  std::map<std::string, std::string> objects;
  const std::regex source("\"SourceFile\": \"([^\"]*)\"");
  for (auto it = std::sregex_iterator(json.begin(), json.end(), source);
       it != std::sregex_iterator(); ++it) {
    const size_t end = json.find('}', static_cast<size_t>(it->position()));
    objects[(*it)[1]] = json.substr(static_cast<size_t>(it->position()), end - it->position());
  }
  return objects;
}

// The first of keys that the object holds, as text.
std::optional<std::string> JsonValue(const std::string& object,
                                     const std::vector<std::string>& keys) {
  for (const std::string& key : keys) {
    std::smatch m;
    if (std::regex_search(object, m, std::regex("\"" + key + "\": \"?([^\",\\n]*)\"?"))) {
      return m[1].length() ? std::optional(m[1].str()) : std::nullopt;
    }
  }
  return std::nullopt;
}

std::optional<int> LeadingInt(const std::optional<std::string>& text) {
  if (!text || text->empty() || !isdigit(static_cast<unsigned char>((*text)[0]))) return {};
  return std::stoi(text->substr(0, 4));
}

struct TPhotoCase {
  const char* Name;
  std::vector<std::string> Tags;  // exiftool assignments
  const char* Taken;              // expected, EXIF form; "" when none
  const char* Camera;
};

const TPhotoCase PhotoCases[] = {
    {"exif.jpg",
     {"-DateTimeOriginal=2026:07:14 09:31:02", "-Model=Pixel 9"},
     "2026:07:14 09:31:02",
     "Pixel 9"},
    {"digitized.jpg", {"-CreateDate=2025:01:02 03:04:05"}, "2025:01:02 03:04:05", ""},
    {"xmp.jpg",
     {"-XMP-exif:DateTimeOriginal=2024:02:29 23:59:58+02:00"},
     "2024:02:29 23:59:58",
     ""},
    {"photoshop.jpg",
     {"-XMP-photoshop:DateCreated=2023:12:31 00:00:01"},
     "2023:12:31 00:00:01",
     ""},
    {"exiffirst.jpg",
     {"-DateTimeOriginal=2022:06:01 12:00:00", "-XMP-exif:DateTimeOriginal=2001:01:01 01:01:01"},
     "2022:06:01 12:00:00",
     ""},
    {"spaces.jpg", {"-Model=Cam   "}, "", "Cam"},
    {"blank.jpg",
     {"-DateTimeOriginal#=    :  :     :  :  ", "-CreateDate=2020:03:04 05:06:07"},
     "2020:03:04 05:06:07",
     ""},
    {"none.jpg", {"-Artist=nobody"}, "", ""},
    {"p.png",
     {"-DateTimeOriginal=2021:05:06 07:08:09", "-Model=PNG cam"},
     "2021:05:06 07:08:09",
     "PNG cam"},
    {"p.webp", {"-DateTimeOriginal=2021:05:06 07:08:10"}, "2021:05:06 07:08:10", ""},
    {"p.tiff",
     {"-DateTimeOriginal=2021:05:06 07:08:11", "-Model=TIFF cam"},
     "2021:05:06 07:08:11",
     "TIFF cam"},
    {"big.webp", {"-DateTimeOriginal=2021:05:06 07:08:12"}, "2021:05:06 07:08:12", ""},
};

struct TSongCase {
  const char* Name;
  std::vector<std::string> Tags;  // ffmpeg -metadata assignments
  std::string Id3v1;              // appended to the file
  const char* Artist;
  const char* Title;
  int Year, Track;
};

const TSongCase SongCases[] = {
    {"s.mp3",
     {"artist=Ärtist", "album=Alb", "title=T/1", "date=2019-05-03", "track=3/12"},
     "",
     "Ärtist",
     "T/1",
     2019,
     3},
    {"s.flac",
     {"artist=F", "album=Alb", "title=Flac", "date=2018", "track=12"},
     "",
     "F",
     "Flac",
     2018,
     12},
    {"s.ogg",
     {"artist=O", "album=Alb", "title=Ogg", "date=2017-01-01", "track=4/9"},
     "",
     "O",
     "Ogg",
     2017,
     4},
    {"s.opus",
     {"artist=P", "album=Alb", "title=Opus", "date=2016", "track=5"},
     "",
     "P",
     "Opus",
     2016,
     5},
    {"s.m4a",
     {"artist=M", "album=Alb", "title=Mp4", "date=2015", "track=6/7"},
     "",
     "M",
     "Mp4",
     2015,
     6},
    {"both.mp3",
     {"artist=Two", "title=Second", "date=2014"},
     Id3v1("One", "First", "1999", 8),
     "Two",
     "Second",
     2014,
     8},
    {"v1.mp3", {}, Id3v1("Old", "Older", "1998", 2), "Older", "Old", 1998, 2},
};

// The photos of the table: a PNG, WebP and TIFF from ffmpeg, a WebP large
// enough to keep its EXIF beyond the first read, and the rest tiny JPEGs.
template <typename T>
bool Within(const std::optional<T>& part, const std::optional<T>& whole) {
  return !part || part == whole;
}

// Every cut of the file (about a hundred) gives no fact, or the one the whole
// file gives.
void ExpectPrefixesGiveNothingElse(const std::string& path, const TFileFacts& whole) {
  const std::string bytes = TestUtil::ReadFileBytes(path);
  const std::string cut = path + ".cut";
  for (size_t size = 0; size < bytes.size(); size += 1 + bytes.size() / 100) {
    TestUtil::WriteFileBytes(cut, bytes.substr(0, size));
    const TFileFacts facts = ReadFacts(cut, All);
    EXPECT_TRUE(Within(facts.Taken, whole.Taken) && Within(facts.Camera, whole.Camera) &&
                Within(facts.Artist, whole.Artist) && Within(facts.Album, whole.Album) &&
                Within(facts.Title, whole.Title) && Within(facts.Year, whole.Year) &&
                Within(facts.Track, whole.Track))
        << "cut at " << size;
  }
  ::unlink(cut.c_str());
}

void MakePhotos(const TTempDir& dir) {
  const std::string still = " -map 0 -frames:v 1 ";
  ASSERT_EQ(0, std::system(("ffmpeg -v error -y -f lavfi -i color=c=gray:s=2x2 -f lavfi -i "
                            "'nullsrc=s=400x400,geq=random(1)*255:128:128'" +
                            still + dir.File("p.png") + still + dir.File("p.webp") + still +
                            dir.File("p.tiff") + " -map 1 -frames:v 1 -c:v libwebp -lossless 1 " +
                            dir.File("big.webp"))
                               .c_str()));
  std::string args;
  for (const TPhotoCase& c : PhotoCases) {
    if (!TestUtil::Exists(dir.File(c.Name)))
      TestUtil::WriteFileBytes(dir.File(c.Name), TestUtil::TinyJpeg());
    for (const std::string& tag : c.Tags) args += tag + "\n";
    args += "-overwrite_original\n" + dir.File(c.Name) + "\n-execute\n";
  }
  TestUtil::WriteFileBytes(dir.File("args"), args);
  ASSERT_EQ(0, std::system(("exiftool -q -q -@ " + dir.File("args")).c_str()));
  ::unlink(dir.File("args").c_str());
}

TEST(Metadata, PhotosAgreeWithExiftool) {
  if (!HasTool("exiftool") || !HasTool("ffmpeg")) GTEST_SKIP() << "exiftool or ffmpeg missing";
  TTempDir dir;
  MakePhotos(dir);
  auto json = ExiftoolJson(dir);
  for (const TPhotoCase& c : PhotoCases) {
    SCOPED_TRACE(c.Name);
    const TFileFacts facts = ReadFacts(dir.File(c.Name), {true, true, false, false});
    const std::string& object = json[c.Name];
    std::optional<int64_t> theirTaken;
    for (const char* key : {"DateTimeOriginal", "CreateDate", "DateCreated"}) {
      const auto text = JsonValue(object, {key});
      if (!theirTaken && text) theirTaken = Platform::ParseTakenDate(*text);
    }
    const auto theirModel = JsonValue(object, {"Model"});
    EXPECT_EQ(facts.Taken, *c.Taken ? Platform::ParseTakenDate(c.Taken) : std::nullopt);
    EXPECT_EQ(facts.Camera, *c.Camera ? std::optional<std::string>(c.Camera) : std::nullopt);
    EXPECT_EQ(facts.Taken, theirTaken);
    EXPECT_EQ(facts.Camera, theirModel);
    EXPECT_FALSE(facts.Artist || facts.Year || facts.Modified);
    ExpectPrefixesGiveNothingElse(dir.File(c.Name), facts);
  }
}

void MakeSongs(const TTempDir& dir) {
  std::string command = "ffmpeg -v error -y -f lavfi -i anullsrc=r=48000:cl=mono";
  for (const TSongCase& c : SongCases) {
    command += " -t 0.1";
    for (const std::string& tag : c.Tags) command += " -metadata '" + tag + "'";
    command.append(" ").append(dir.File(c.Name));
  }
  ASSERT_EQ(0, std::system(command.c_str()));
  for (const TSongCase& c : SongCases) {
    if (!c.Id3v1.empty()) {
      TestUtil::WriteFileBytes(dir.File(c.Name),
                               TestUtil::ReadFileBytes(dir.File(c.Name)) + c.Id3v1);
    }
  }
}

TEST(Metadata, SongsAgreeWithExiftool) {
  if (!HasTool("exiftool") || !HasTool("ffmpeg")) GTEST_SKIP() << "exiftool or ffmpeg missing";
  TTempDir dir;
  MakeSongs(dir);
  auto json = ExiftoolJson(dir);
  for (const TSongCase& c : SongCases) {
    SCOPED_TRACE(c.Name);
    const TFileFacts facts = ReadFacts(dir.File(c.Name), {false, false, true, false});
    const std::string& object = json[c.Name];
    EXPECT_EQ(facts.Artist, c.Artist);
    EXPECT_EQ(facts.Title, c.Title);
    EXPECT_EQ(facts.Year, c.Year);
    EXPECT_EQ(facts.Track, c.Track);
    EXPECT_EQ(facts.Artist, JsonValue(object, {"Artist"}));
    EXPECT_EQ(facts.Album, JsonValue(object, {"Album"}));
    EXPECT_EQ(facts.Title, JsonValue(object, {"Title"}));
    EXPECT_EQ(facts.Year, LeadingInt(JsonValue(
                              object, {"RecordingTime", "Date", "ContentCreateDate", "Year"})));
    EXPECT_EQ(facts.Track, LeadingInt(JsonValue(object, {"Track", "TrackNumber"})));
    EXPECT_FALSE(facts.Taken || facts.Camera || facts.Modified);
    ExpectPrefixesGiveNothingElse(dir.File(c.Name), facts);
  }
}

std::string U16(unsigned v) { return {char(v & 0xFF), char(v >> 8)}; }
std::string U32(uint32_t v) { return U16(v & 0xFFFF) + U16(v >> 16); }
std::string Entry(unsigned tag, unsigned type, uint32_t count, uint32_t value) {
  return U16(tag) + U16(type) + U32(count) + U32(value);
}
const std::string TiffHead = "II*" + std::string(1, '\0') + U32(8);

std::string U32Big(uint32_t v) { return {char(v >> 24), char(v >> 16), char(v >> 8), char(v)}; }
std::string Syncsafe(uint32_t v) {
  return {char(v >> 21 & 0x7F), char(v >> 14 & 0x7F), char(v >> 7 & 0x7F), char(v & 0x7F)};
}

// Boxes of one name nested depth deep behind a file-type box of brand.
std::string NestedBoxes(const std::string& brand, const std::string& name, uint32_t depth) {
  std::string file = U32Big(16) + "ftyp" + brand + U32Big(0);
  for (uint32_t k = 0; k < depth; ++k) file += U32Big(8 * (depth - k)) + name;
  return file;
}

// An ID3v2 tag of chapters, each holding the next, then one MPEG frame header.
std::string NestedChapters(uint32_t depth) {
  std::string file = "ID3\x04" + std::string(2, '\0') + Syncsafe(28 * depth);
  for (uint32_t k = 0; k < depth; ++k) {
    file += "CHAP" + Syncsafe(28 * (depth - k) - 10) + std::string(2, '\0') + 'a' +
            std::string(17, '\0');
  }
  return file + "\xFF\xFB\x90" + std::string(400, '\0');
}

std::string U16Big(unsigned v) { return {char(v >> 8), char(v & 0xFF)}; }
std::string Box(const std::string& type, const std::string& body) {
  return U32Big(uint32_t(8 + body.size())) + type + body;
}
std::string FullBox(const std::string& type, char version, const std::string& body) {
  return Box(type, version + std::string(3, '\0') + body);
}

// An IFD0 with the camera "cam" and the date taken 2026:07:14 09:31:02.
const std::string DatedTiff = TiffHead + U16(2) + Entry(0x0110, 2, 4, 0x6D6163) +
                              Entry(0x9003, 2, 20, 38) + U32(0) + "2026:07:14 09:31:02" + '\0';

struct THeifCase {
  const char* Name;
  char IlocVersion;
  bool InIdat;     // the item's bytes in the meta box's "idat", not in "mdat"
  int Extents;     // pieces the item's bytes are split into
  bool ExifNamed;  // "Exif\0\0" between the item's header and the TIFF header
  bool Based;      // offsets from a base offset, an index before each extent
};

// A HEIF image whose one item is an EXIF block of tiff, laid out as c says.
std::string Heif(const THeifCase& c, const std::string& tiff, uint32_t at = 0) {
  const std::string prefix = c.ExifNamed ? std::string("Exif\0\0", 6) : "";
  const std::string item = U32Big(uint32_t(prefix.size())) + prefix + tiff;
  const auto id = [&c](unsigned v) { return c.IlocVersion < 2 ? U16Big(v) : U32Big(v); };
  const std::string ftyp =
      Box("ftyp", std::string(c.InIdat ? "mif1" : "heic") + U32Big(0) + "mif1");
  std::string iloc = std::string(c.Based ? "\x44\x44" : "\x44\0", 2) + id(1) + id(1);
  if (c.IlocVersion >= 1) iloc += U16Big(c.InIdat ? 1 : 0);
  iloc += U16Big(0) + (c.Based ? U32Big(at) : "") + U16Big(unsigned(c.Extents));
  const size_t half = item.size() / 2;
  for (int e = 0; e < c.Extents; ++e) {
    const size_t from = e == 0 ? 0 : half, to = c.Extents == 1 || e == 1 ? item.size() : half;
    if (c.Based) iloc += U32Big(uint32_t(e));
    iloc += U32Big(uint32_t(c.Based ? from : at + from)) + U32Big(uint32_t(to - from));
  }
  const std::string infe = FullBox("infe", 2, U16Big(1) + U16Big(0) + "Exif" + '\0');
  const std::string meta =
      FullBox("meta", 0,
              FullBox("hdlr", 0, U32Big(0) + "pict" + std::string(13, '\0')) +
                  FullBox("iinf", 0, U16Big(1) + infe) + FullBox("iloc", c.IlocVersion, iloc) +
                  (c.InIdat ? Box("idat", item) : ""));
  if (!c.InIdat && at == 0) return Heif(c, tiff, uint32_t(ftyp.size() + meta.size() + 8));
  return ftyp + meta + (c.InIdat ? "" : Box("mdat", item));
}

// HEIF and AVIF items in each layout the item boxes allow, read as exiftool
// reads them where it can.
TEST(Metadata, ReadsHeifExifItems) {
  const THeifCase cases[] = {{"v0.heic", 0, false, 1, true, false},
                             {"v1.heic", 1, false, 2, true, false},
                             {"idat.heif", 1, true, 1, true, false},
                             {"v2.avif", 2, false, 2, false, true}};
  TTempDir dir;
  for (const THeifCase& c : cases) TestUtil::WriteFileBytes(dir.File(c.Name), Heif(c, DatedTiff));
  auto json = HasTool("exiftool") ? ExiftoolJson(dir) : std::map<std::string, std::string>();
  for (const THeifCase& c : cases) {
    SCOPED_TRACE(c.Name);
    const TFileFacts facts = ReadFacts(dir.File(c.Name), {true, true, false, false});
    EXPECT_EQ(facts.Taken, Platform::ParseTakenDate("2026:07:14 09:31:02"));
    EXPECT_EQ(facts.Camera, "cam");
    // exiftool does not read an item kept in "idat".
    if (json.count(c.Name) && !c.InIdat) {
      EXPECT_EQ(JsonValue(json[c.Name], {"Model"}), "cam");
      EXPECT_EQ(JsonValue(json[c.Name], {"DateTimeOriginal"}), "2026:07:14 09:31:02");
    }
    ExpectPrefixesGiveNothingElse(dir.File(c.Name), facts);
  }
}

// A tag's text with a broken UTF-16 unit keeps the rest of its text.
TEST(Metadata, BrokenTextUnitBecomesReplacement) {
  TTempDir dir;
  const std::string text = std::string(
      "\x01\xFF\xFE"
      "a\0\0\xDC"
      "b\0",
      9);
  const std::string frame = "TPE1" + U32Big(uint32_t(text.size())) + std::string(2, '\0') + text;
  TestUtil::WriteFileBytes(dir.File("s.mp3"), "ID3\x03" + std::string(2, '\0') +
                                                  Syncsafe(uint32_t(frame.size())) + frame +
                                                  "\xFF\xFB\x90" + std::string(400, '\0'));
  EXPECT_EQ(ReadFacts(dir.File("s.mp3"), {false, false, true, false}).Artist, "a\uFFFDb");
}

// Files that must give nothing but their modification time, whatever is asked.
TEST(Metadata, HostileFilesGiveEmptyFields) {
  TTempDir dir;
  const std::string exif = JpegWithTiff(TiffHead + U16(1) + Entry(0x0110, 2, 4, 0x6D6163) + U32(0));
  const std::map<std::string, std::string> files = {
      {"empty.jpg", ""},
      {"empty.mp3", ""},
      {"cut.jpg", exif.substr(0, 20)},
      {"loop.jpg",
       JpegWithTiff(TiffHead + U16(2) + Entry(0x8769, 4, 1, 8) + Entry(0x9003, 2, 20, 8) + U32(8))},
      {"hugecount.jpg", JpegWithTiff(TiffHead + U16(2) + Entry(0x0110, 2, 0xFFFFFFF0u, 8) +
                                     Entry(0x8769, 4, 0x40000000, 8) + U32(0))},
      {"manyentries.tif", TiffHead + U16(0xFFFF) + Entry(0x0110, 2, 1u << 30, 0)},
      {"wrongtype.jpg", JpegWithTiff(TiffHead + U16(2) + Entry(0x0110, 3, 1, 7) +
                                     Entry(0x9003, 4, 1, 20260714) + U32(0))},
      {"hugetag.mp3", "ID3\x04" + std::string("\0\0\x7F\x7F\x7F\x7F", 6) + "TIT2"},
      {"hugeblock.flac", "fLaC" + std::string("\x84\xFF\xFF\xFF", 4) + "\x05"},
      {"hugeatom.m4a", std::string("\0\0\0\x10", 4) + "moov" + std::string(8, '\xFF')},
      {"junk.ogg", "OggS" + std::string(60, '\xFF')},
      {"nested.m4a", NestedBoxes("M4A ", "moov", 100000)},
      {"nested.heic", NestedBoxes("heic", "iprp", 100000)},
      {"faritem.heic", Heif({"", 0, false, 1, true, false}, DatedTiff, 0xFFFFFF00u)},
      {"faridat.heic", Heif({"", 1, true, 2, true, false}, DatedTiff, 0x1000)},
      {"chapters.mp3", NestedChapters(50000)},
  };
  ASSERT_EQ(0, ::mkfifo(dir.File("fifo.jpg").c_str(), 0600));
  ASSERT_EQ(0, ::mkdir(dir.File("folder.mp3").c_str(), 0700));
  std::vector<std::string> names = {"fifo.jpg", "folder.mp3"};
  for (const auto& [name, bytes] : files) {
    TestUtil::WriteFileBytes(dir.File(name), bytes);
    names.push_back(name);
  }
  for (const std::string& name : names) {
    SCOPED_TRACE(name);
    const TFileFacts facts = ReadFacts(dir.File(name), All);
    EXPECT_FALSE(facts.Taken || facts.Camera || facts.Artist || facts.Album || facts.Title ||
                 facts.Year || facts.Track);
    EXPECT_TRUE(facts.Modified);
  }
  EXPECT_FALSE(ReadFacts(dir.File("missing.jpg"), All).Modified);
}

// A JPEG whose EXIF segment lies behind comment segments of pad bytes in all,
// then the bytes gap, which the library skips.
std::string JpegBehindComments(size_t pad, const std::string& gap) {
  std::string comments;
  while (comments.size() < pad) {
    const size_t body = std::min<size_t>(65533, pad - comments.size());
    comments += std::string("\xFF\xFE", 2) + char((body + 2) >> 8) + char((body + 2) & 0xFF) +
                std::string(body, 'c');
  }
  const std::string exif = JpegWithTiff(TiffHead + U16(1) + Entry(0x0110, 2, 4, 0x6D6163) + U32(0));
  return "\xFF\xD8" + comments + gap + exif.substr(2) + std::string(300000, 'i');
}

// The segments before a JPEG's image data are read however far they reach,
// and wherever they straddle a read; a colour profile whose length is wrong,
// which makes exiv2 refuse the whole file, costs no EXIF field.
TEST(Metadata, ReadsJpegSegmentsPastTheFirstRead) {
  TTempDir dir;
  const std::string badProfile =
      std::string("\xFF\xE2\0\x14ICC_PROFILE\0\1\1", 18) + std::string(4, '\0');
  for (const size_t pad : {0, 65520, 65527, 65529, 65531, 65533, 65535, 200000}) {
    for (const std::string& gap :
         {std::string(), std::string("\xFF\xFF"), std::string("\0junk", 5), badProfile}) {
      SCOPED_TRACE(std::to_string(pad) + " " + std::to_string(gap.size()));
      TestUtil::WriteFileBytes(dir.File("p.jpg"), JpegBehindComments(pad, gap));
      EXPECT_EQ(ReadFacts(dir.File("p.jpg"), {false, true, false, false}).Camera, "cam");
    }
  }
  ExpectPrefixesGiveNothingElse(dir.File("p.jpg"), ReadFacts(dir.File("p.jpg"), All));
}

// Only what is asked for is read: the time alone comes from the entry itself,
// a symbolic link's own.
TEST(Metadata, ReadsOnlyWhatIsNeeded) {
  TTempDir dir;
  TestUtil::WriteFileBytes(
      dir.File("a.jpg"), JpegWithTiff(TiffHead + U16(1) + Entry(0x0110, 2, 4, 0x6D6163) + U32(0)));
  ASSERT_EQ(0, ::symlink("a.jpg", dir.File("link.jpg").c_str()));
  const struct timespec times[2] = {{0, UTIME_OMIT}, {1700000000, 0}};
  ASSERT_EQ(0, ::utimensat(AT_FDCWD, dir.File("link.jpg").c_str(), times, AT_SYMLINK_NOFOLLOW));
  EXPECT_EQ(ReadFacts(dir.File("a.jpg"), {false, true, false, false}).Camera, "cam");
  EXPECT_EQ(ReadFacts(dir.File("link.jpg"), {false, true, false, false}).Camera, "cam");
  const TFileFacts timeOnly = ReadFacts(dir.File("link.jpg"), {false, false, false, true});
  EXPECT_EQ(timeOnly.Modified, 1700000000);
  EXPECT_FALSE(timeOnly.Camera);
  const TFileFacts nothing = ReadFacts(dir.File("a.jpg"), {});
  EXPECT_FALSE(nothing.Camera || nothing.Modified);
}

TEST(Metadata, ParsesDateTexts) {
  const std::pair<const char*, std::optional<int64_t>> cases[] = {
      {"2026:07:14 09:31:02", 1784021462},
      {"2026-07-14T09:31:02+02:00", 1784021462},
      {"2026-07-14T09:31:02.123Z", 1784021462},
      {"2026-07-14T09:31", 1784021460},
      {"2026-07-14", 1783987200},
      {"1969:12:31 23:59:59", -1},
      {"2024:02:29 00:00:00", 1709164800},
      {"2023:02:29 00:00:00", std::nullopt},
      {"0000:00:00 00:00:00", std::nullopt},
      {"    :  :     :  :  ", std::nullopt},
      {"2026:07:14", std::nullopt},
      {"2026:13:01 00:00:00", std::nullopt},
      {"2026:07:14 24:00:00", std::nullopt},
      {"2026/07/14 09:31:02", std::nullopt},
      {"", std::nullopt},
  };
  for (const auto& [text, expected] : cases)
    EXPECT_EQ(Platform::ParseTakenDate(text), expected) << text;
}

}  // namespace

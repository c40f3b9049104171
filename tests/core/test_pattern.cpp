#include <atomic>
#include <stdexcept>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "filelist/facts.h"
#include "rename/conflicts.h"
#include "rename/pattern.h"
#include "rename/preview.h"

namespace {

using Platform::TFileFacts;

// 2026-07-14 09:31:02 as wall-clock time read as UTC.
constexpr int64_t Taken = 1784021462;

TFileFacts Photo() {
  TFileFacts facts;
  facts.Taken = Taken;
  facts.Camera = "Pixel 7/Pro";
  return facts;
}

TFileFacts Song() {
  TFileFacts facts;
  facts.Artist = "AC/DC";
  facts.Album = "Back";
  facts.Title = std::string("Hell\0s", 6);
  facts.Year = 1980;
  facts.Track = 3;
  return facts;
}

std::string Format(const std::string& text, const std::string& oldName, int64_t number,
                   const TFileFacts& facts) {
  Rename::TTemplate parsed;
  Rename::TTemplateError error;
  EXPECT_TRUE(Rename::ParseTemplate(text, parsed, error)) << text << ": " << error.Message;
  std::string name;
  return Rename::FormatTemplate(parsed, oldName, number, facts, name) ? name : "<missing>";
}

TEST(FormatTemplate, FieldsTable) {
  struct TCase {
    const char* Template;
    const char* OldName;
    int64_t Number;
    TFileFacts Facts;
    const char* Expected;
  };
  const TCase cases[] = {
      {"{name}{ext}", "a.tar.gz", 1, {}, "a.tar.gz"},
      {"{name}-{n}{ext}", "README", 7, {}, "README-7"},
      {"{n:3}", "x", 7, {}, "007"},
      {"{n:3}", "x", -7, {}, "-07"},
      {"{n:2}", "x", 1234, {}, "1234"},
      {"{{{name}}}", "x.y", 1, {}, "{x}"},
      {"}}{{", "x", 1, {}, "}{"},
      {"{taken}{ext}", "p.jpg", 1, Photo(), "2026-07-14 09.31.02.jpg"},
      {"{taken:%Y%m%d-%H%M%S}-{n}{ext}", "p.jpg", 4, Photo(), "20260714-093102-4.jpg"},
      {"{camera}", "p.jpg", 1, Photo(), "Pixel 7_Pro"},
      {"{artist} - {track:2} {title}", "s.mp3", 1, Song(), "AC_DC - 03 Hell_s"},
      {"{album} {year} {track}", "s.mp3", 1, Song(), "Back 1980 3"},
      {"{taken}", "s.mp3", 1, Song(), "<missing>"},
      {"{artist}", "p.jpg", 1, Photo(), "<missing>"},
      {"{title}", "s", 1,
       [] {
         TFileFacts f;
         f.Title = "";
         return f;
       }(),
       "<missing>"},
      {"{track}", "s", 1,
       [] {
         TFileFacts f;
         f.Track = 0;
         return f;
       }(),
       "<missing>"},
      {"a/{name}", "b", 1, {}, "a/b"},  // typed text is the user's own
  };
  for (const TCase& c : cases)
    EXPECT_EQ(Format(c.Template, c.OldName, c.Number, c.Facts), c.Expected) << c.Template;
}

TEST(ParseTemplate, FaultsNameTheirPlace) {
  struct TCase {
    const char* Template;
    std::size_t Character;  // 1-based
  };
  const TCase cases[] = {
      {"{nam}", 2},      {"ab{", 3},           {"ab}", 3},
      {"{n:x}", 4},      {"{n:256}", 4},       {"{name:3}", 6},
      {"{}", 2},         {"é{taken:%Y/}", 11}, {"{taken:%D}", 8},
      {"{taken:%x}", 8}, {"{taken:%100Y}", 8}, {"{taken:%Ey}", 8},
      {"{taken:}", 8},   {"{a{b}", 1},         {"{taken:%}", 8},
  };
  for (const TCase& c : cases) {
    Rename::TTemplate parsed;
    Rename::TTemplateError error;
    ASSERT_FALSE(Rename::ParseTemplate(c.Template, parsed, error)) << c.Template;
    EXPECT_EQ(Rename::CharacterAt(c.Template, error.Offset), c.Character) << c.Template;
    EXPECT_FALSE(error.Message.empty());
  }
}

TEST(ParseTemplate, NeedsOnlyWhatTheFieldsRead) {
  Rename::TTemplate parsed;
  Rename::TTemplateError error;
  ASSERT_TRUE(Rename::ParseTemplate("{name}{n:4}{ext}", parsed, error));
  EXPECT_FALSE(parsed.NeedsFacts);
  ASSERT_TRUE(Rename::ParseTemplate("{track}{modified:%Y}", parsed, error));
  EXPECT_TRUE(parsed.NeedsFacts && parsed.Needed.Audio && parsed.Needed.Modified);
  EXPECT_FALSE(parsed.Needed.Taken || parsed.Needed.Camera);
}

TEST(RowNumber, StartStepAndOverflow) {
  int64_t number = 0;
  ASSERT_TRUE(Rename::RowNumber({"", 100, 10}, 3, number));
  EXPECT_EQ(number, 130);
  EXPECT_FALSE(Rename::RowNumber({"", INT64_MAX, 1}, 1, number));
  EXPECT_FALSE(Rename::RowNumber({"", 0, INT64_MAX}, 2, number));
}

// Each file is read once, on several threads; a reader that throws gives that
// row no facts, and a missing field keeps the file where it is.
TEST(PreviewReading, ReadsEachFileOnceAndMarksMissing) {
  FileList::TFileItems rows;
  for (int i = 0; i < 200; ++i) rows.push_back({"f" + std::to_string(i) + ".jpg"});
  std::atomic<int> reads{0};
  const FileList::TFactsReader reader = [&reads](const std::string& path,
                                                 const Platform::TNeededFacts& needed) {
    ++reads;
    EXPECT_TRUE(needed.Taken && !needed.Audio);
    if (path == "d/f13.jpg") throw std::runtime_error("bad file");
    TFileFacts facts;
    if (path != "d/f7.jpg") facts.Taken = Taken + path.size();
    return facts;
  };
  Rename::TPreviewOptions options;
  options.Page = Rename::TPage::Pattern;
  options.Pattern.Template = "{taken:%S}-{n}{ext}";
  Rename::PreviewReading(rows, options, "d", reader);
  EXPECT_EQ(reads.load(), 200);
  EXPECT_EQ(rows[0].NewName, "10-1.jpg");  // 02 s + strlen("d/f0.jpg")
  for (int i : {7, 13}) {
    EXPECT_EQ(rows[i].NewName, rows[i].OldName);
    EXPECT_EQ(rows[i].Conflict, FileList::TConflict::Missing);
    EXPECT_TRUE(Rename::WillFail(rows[i].Conflict));
    EXPECT_STREQ(Rename::ConflictWord(rows[i].Conflict), "missing");
  }
  reads = 0;
  options.Pattern.Template = "{n}";
  Rename::PreviewReading(rows, options, "d", reader);
  EXPECT_EQ(reads.load(), 0);
  EXPECT_EQ(rows[13].Conflict, FileList::TConflict::None);
  options.Pattern = {"{n}-{n:1}", 9, 1, 3};  // the page's width pads {n} alone
  Rename::PreviewReading(rows, options, "d", reader);
  EXPECT_EQ(rows[1].NewName, "010-10");
  // The order by date taken: undated rows last, in the order they had.
  for (const bool descending : {false, true}) {
    FileList::OrderByTaken(rows, "d", reader, descending);
    EXPECT_EQ(rows.front().OldName, descending ? "f100.jpg" : "f0.jpg");
    EXPECT_EQ(rows[rows.size() - 2].OldName, "f7.jpg");
    EXPECT_EQ(rows.back().OldName, "f13.jpg");
  }
}

}  // namespace

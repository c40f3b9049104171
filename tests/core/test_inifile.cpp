#include <sys/stat.h>

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <iterator>
#include <optional>
#include <random>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "core/testutil.h"
#include "platform/filesystem.h"
#include "settings/inifile.h"

namespace {

using Settings::TIniFile;
using TestUtil::TTempDir;

const std::string Long3000 =
    std::string(1000, 'a') + std::string(1000, 'b') + std::string(1000, 'c');

// A settings file in a folder of its own, written when data is given.
struct TIni {
  TTempDir Dir;
  std::string Path = Dir.File("a.ini");
  explicit TIni(const std::optional<std::string>& data = std::nullopt) {
    if (data) TestUtil::WriteFileBytes(Path, *data);
  }
};

struct TReadCase {
  const char* Name;
  std::string File;
  std::string Section, Key, Default;
  std::string Expected;
};

class ReadTextTest : public ::testing::TestWithParam<TReadCase> {};

TEST_P(ReadTextTest, ReadsByTheFileRules) {
  const TReadCase& c = GetParam();
  EXPECT_EQ(TIniFile(TIni(c.File).Path).ReadText(c.Section, c.Key, c.Default), c.Expected);
}

const TReadCase ReadCases[] = {
    {"Blanks", "[s]\r\n  k \t=  v w \t\r\n", "s", "k", "d", "v w"},
    {"DoubleQuotes", "[s]\r\nk=\"  v  \"\r\n", "s", "k", "d", "  v  "},
    {"SingleQuotes", "[s]\r\nk='x'\r\n", "s", "k", "d", "x"},
    {"OpenQuoteKept", "[s]\r\nk=\"abc\r\n", "s", "k", "d", "\"abc"},
    {"MixedQuotesKept", "[s]\r\nk=\"abc'\r\n", "s", "k", "d", "\"abc'"},
    {"LoneQuoteKept", "[s]\r\nk=\"\r\n", "s", "k", "d", "\""},
    {"EmptyValueNotDefault", "[s]\r\nk=\r\n", "s", "k", "d", ""},
    {"ValueHoldsEquals", "[s]\r\nk=a=b\r\n", "s", "k", "d", "a=b"},
    {"MissingKeyTrimsDefault", "[s]\r\n", "s", "k", "Renaming files... ", "Renaming files..."},
    {"MissingSection", "[t]\r\nk=v\r\n", "s", "k", "d", "d"},
    {"FirstEntryWins", "[s]\r\nk=1\r\nK=2\r\n", "s", "k", "d", "1"},
    {"FirstSectionWins", "[s]\r\n[S]\r\nk=2\r\n", "s", "k", "d", "d"},
    {"SectionCaseBlind", "[Translations]\r\nMainForm.X=v\r\n", "TRANSLATIONS", "MAINFORM.X", "d",
     "v"},
    {"BeforeFirstSection", "k=v\r\n[s]\r\n", "s", "k", "d", "d"},
    {"CommentSkipped", "[s]\r\n ;k=v\r\nk=w\r\n", "s", "k", "d", "w"},
    {"IndentedHeader", "  [s]\nk=v\n", "s", "k", "d", "v"},
    {"LineWithoutEqualsSkipped", "[s]\r\nk\r\nk=v\r\n", "s", "k", "d", "v"},
    {"LfOnly", "[s]\nk=v\nj=w\n", "s", "j", "d", "w"},
    {"Mixed", "[s]\r\nk=v\nj=w\r\n", "s", "k", "d", "v"},
    {"NoFinalLineEnd", "[s]\r\nk=v", "s", "k", "d", "v"},
    {"Utf8Bom", "\xEF\xBB\xBF[s]\r\nk=v\r\n", "s", "k", "d", "v"},
    {"CutValue", "[s]\r\nk=" + Long3000 + "\r\n", "s", "k", "d", Long3000.substr(0, 2047)},
    {"CutDefault", "", "s", "k", Long3000, Long3000.substr(0, 2047)}};
INSTANTIATE_TEST_SUITE_P(Cases, ReadTextTest, ::testing::ValuesIn(ReadCases),
                         [](const auto& info) { return std::string(info.param.Name); });

TEST(IniFile, MissingFileGivesDefaultAndStaysMissing) {
  TIni file;
  TIniFile ini(file.Path);
  EXPECT_EQ(ini.ReadText("s", "k", "def "), "def");
  EXPECT_EQ(ini.ReadNumber("s", "k", 7), 7);
  std::vector<std::string> list{"x=1"};
  ini.ReadKeyNames("s", list);
  EXPECT_TRUE(list.empty());
  EXPECT_FALSE(TestUtil::Exists(file.Path));
}

struct TNumberCase {
  std::string Text;
  int32_t Expected;  // the default is 99
};

class ReadNumberTest : public ::testing::TestWithParam<TNumberCase> {};

TEST_P(ReadNumberTest, ReadsDecimalAndHex) {
  TIni file("[s]\r\nk=" + GetParam().Text + "\r\n");
  EXPECT_EQ(TIniFile(file.Path).ReadNumber("s", "k", 99), GetParam().Expected) << GetParam().Text;
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ReadNumberTest,
    ::testing::Values(TNumberCase{"12", 12}, TNumberCase{"-5", -5}, TNumberCase{"+7", 7},
                      TNumberCase{"007", 7}, TNumberCase{"0x1F", 31}, TNumberCase{"0X1f", 31},
                      TNumberCase{"$1f", 31}, TNumberCase{"x1F", 31}, TNumberCase{"X1F", 31},
                      TNumberCase{"$FFFFFFFF", -1}, TNumberCase{"$80000000", INT32_MIN},
                      TNumberCase{"$000000001", 1}, TNumberCase{"-2147483648", INT32_MIN},
                      TNumberCase{"2147483647", INT32_MAX}, TNumberCase{"'  42'", 42},
                      TNumberCase{"2147483648", 99}, TNumberCase{"-2147483649", 99},
                      TNumberCase{"$100000000", 99}, TNumberCase{"12ab", 99},
                      TNumberCase{"-$10", 99}, TNumberCase{"1 2", 99}, TNumberCase{"", 99},
                      TNumberCase{"0x", 99}, TNumberCase{"$", 99}, TNumberCase{"-", 99},
                      TNumberCase{"'\t42'", 99}, TNumberCase{"'42 '", 99}, TNumberCase{"1.5", 99},
                      TNumberCase{"$1G", 99}, TNumberCase{"99999999999999999999", 99}));

TEST(IniFile, ReadFlag) {
  TIni file("[o]\r\none=1\r\ntwo=2\r\nzero=0\r\nword=true\r\nempty=\r\n");
  TIniFile ini(file.Path);
  struct {
    const char* Key;
    bool Default, Expected;
  } cases[] = {{"one", false, true},    {"two", false, true},    {"zero", true, false},
               {"word", true, true},    {"word", false, false},  {"empty", true, true},
               {"empty", false, false}, {"missing", true, true}, {"missing", false, false}};
  for (const auto& c : cases)
    EXPECT_EQ(ini.ReadFlag("o", c.Key, c.Default), c.Expected) << c.Key << " " << c.Default;
}

struct TWriteCase {
  const char* Name;
  std::optional<std::string> Before;  // nullopt: no file yet
  std::string Section, Key, Value;
  std::string After;
};

class WriteTextTest : public ::testing::TestWithParam<TWriteCase> {};

TEST_P(WriteTextTest, ChangesOnlyItsLine) {
  const TWriteCase& c = GetParam();
  TIni file(c.Before);
  TIniFile(file.Path).WriteText(c.Section, c.Key, c.Value);
  EXPECT_EQ(TestUtil::ReadFileBytes(file.Path), c.After);
}

const TWriteCase WriteCases[] = {
    {"NewFile", std::nullopt, "Language", "MainForm", "/x/a.lng",
     "[Language]\r\nMainForm=/x/a.lng\r\n"},
    {"NewSectionAtEnd", "[a]\r\nk=1\r\n", "b", "k", "2", "[a]\r\nk=1\r\n[b]\r\nk=2\r\n"},
    {"ReplaceKeepsSpellingAndPlace", ";c\r\n[Form]\r\n  W = 1 \r\nh=2\r\n", "FORM", "w", "3",
     ";c\r\n[Form]\r\nW=3\r\nh=2\r\n"},
    {"AppendAfterLastEntry", "[s]\r\na=1\r\n\r\n;end\r\n[t]\r\n", "s", "b", "2",
     "[s]\r\na=1\r\nb=2\r\n\r\n;end\r\n[t]\r\n"},
    {"AppendToEmptySection", "[s]\r\n[t]\r\nb=1\r\n", "s", "a", "0",
     "[s]\r\na=0\r\n[t]\r\nb=1\r\n"},
    {"FirstDuplicateWritten", "[s]\r\nk=1\r\nk=2\r\n", "s", "K", "3", "[s]\r\nk=3\r\nk=2\r\n"},
    {"FirstSectionWritten", "[s]\r\n[s]\r\nk=2\r\n", "S", "k", "3", "[s]\r\nk=3\r\n[s]\r\nk=2\r\n"},
    {"ValueExact", "[s]\r\n", "s", "k", " \"q\" ", "[s]\r\nk= \"q\" \r\n"},
    {"EmptyValue", "[s]\r\nk=1\r\n", "s", "k", "", "[s]\r\nk=\r\n"},
    {"LfFileRewrittenCrLf", "x\n[s]\nk=1\nj=2", "s", "k", "5", "x\r\n[s]\r\nk=5\r\nj=2\r\n"},
    {"LineBreaksInValueBlanked", "[s]\r\n", "s", "k", "a\r\n[Language]\nb",
     "[s]\r\nk=a  [Language] b\r\n"}};
INSTANTIATE_TEST_SUITE_P(Cases, WriteTextTest, ::testing::ValuesIn(WriteCases),
                         [](const auto& info) { return std::string(info.param.Name); });

TEST(IniFile, TypedWrites) {
  TIni file;
  TIniFile ini(file.Path);
  ini.WriteNumber("form", "t", -8);
  ini.WriteNumber("form", "l", 0);
  ini.WriteFlag("option", "showerrors", true);
  ini.WriteFlag("option", "warnrename", false);
  EXPECT_EQ(TestUtil::ReadFileBytes(file.Path),
            "[form]\r\nt=-8\r\nl=0\r\n[option]\r\nshowerrors=1\r\nwarnrename=0\r\n");
  EXPECT_EQ(ini.ReadNumber("form", "t", 0), -8);
}

TEST(IniFile, TwoObjectsSeeEachOthersWrites) {
  TIni file;
  TIniFile first(file.Path), second(file.Path);
  first.WriteText("Language", "MainForm", "/a.lng");
  EXPECT_EQ(second.ReadText("LANGUAGE", "mainform", ""), "/a.lng");
  second.WriteNumber("form", "w", 700);
  EXPECT_EQ(first.ReadNumber("form", "w", 0), 700);
  first.WriteText("Language", "MainForm", "/b.lng");
  EXPECT_EQ(second.ReadText("Language", "MainForm", ""), "/b.lng");
}

TEST(IniFile, KeyValuesFirstValueOnceWithoutEmpty) {
  TIni file(
      "[Translations]\r\nA.Caption= 'x' \r\nB.Hint=\r\na.caption=y\r\nC=3\r\n[Other]\r\nD=4\r\n");
  std::vector<std::string> names, values;
  TIniFile ini(file.Path);
  ini.ReadKeyNames("TRANSLATIONS", names);
  EXPECT_EQ(names, (std::vector<std::string>{"A.Caption", "B.Hint", "a.caption", "C"}));
  ini.ReadKeyValues("translations", values);
  // A later spelling of a key renames its line but keeps the first value.
  EXPECT_EQ(values, (std::vector<std::string>{"a.caption=x", "C=3"}));
}

TEST(IniFile, KeyValuesUpdatesAndDeletesExistingLines) {
  std::vector<std::string> values{"b=old", "a=old", "z=keep"};
  TIniFile(TIni("[s]\r\nA=1\r\nB=\r\n").Path).ReadKeyValues("s", values);
  EXPECT_EQ(values, (std::vector<std::string>{"A=1", "z=keep"}));
}

// ReadKeyValues reads the file once, yet it gives what ReadKeyNames followed by
// one ReadText per name gives, over random sections and starting lists.
std::vector<std::string> KeyValuesOneByOne(TIniFile& ini, const std::string& section,
                                           std::vector<std::string> list) {
  auto sameName = [](std::string a, std::string b) {
    for (std::string* s : {&a, &b})
      for (char& c : *s) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return a == b;
  };
  std::vector<std::string> names;
  ini.ReadKeyNames(section, names);
  for (const std::string& name : names) {
    const std::string value = ini.ReadText(section, name, "");
    auto line = std::find_if(list.begin(), list.end(), [&](const std::string& l) {
      return sameName(l.substr(0, l.find('=')), name);
    });
    if (value.empty() && line != list.end()) list.erase(line);
    if (value.empty()) continue;
    if (line != list.end()) *line = name + "=" + value;
    if (line == list.end()) list.push_back(name + "=" + value);
  }
  return list;
}

TEST(IniFile, KeyValuesAgreesWithOneReadTextPerKey) {
  TIni file;
  const char* const keys[] = {"a", "A", "b", " B", "c.Caption", "C.CAPTION", "d", "=", ""};
  const char* const values[] = {"", "x", "'q'", "  y  ", "\"\"", "1=2", "z"};
  std::mt19937 random(11);
  auto pick = [&](const auto& from) { return from[random() % std::size(from)]; };
  for (int round = 0; round < 300; ++round) {
    std::string data = random() % 4 == 0 ? "[other]\r\nA=o\r\n" : "";
    data += random() % 2 ? "[S]\r\n" : " [ s ] \r\n";
    for (int i = static_cast<int>(random() % 12); i > 0; --i)
      data += std::string(pick(keys)) + "=" + pick(values) + (random() % 5 ? "\r\n" : "\n");
    if (random() % 3 == 0) data += "[s]\r\nd=late\r\n";
    TestUtil::WriteFileBytes(file.Path, data);
    std::vector<std::string> list;
    for (int i = static_cast<int>(random() % 4); i > 0; --i)
      list.push_back(std::string(pick(keys)) + (random() % 2 ? "=old" : ""));
    TIniFile ini(file.Path);
    const std::vector<std::string> expected = KeyValuesOneByOne(ini, "s", list);
    ini.ReadKeyValues("s", list);
    ASSERT_EQ(list, expected) << data;
  }
}

// Each 99-byte name takes 100 bytes of the 16,384-byte listing: 163 fit whole,
// then 84 bytes are left: 82 for the cut name, its terminator and the final one.
TEST(IniFile, KeyListingStopsAt16384Bytes) {
  std::string data = "[s]\r\n";
  for (int i = 0; i < 200; ++i) data += std::to_string(1000 + i) + std::string(95, 'k') + "=v\r\n";
  std::vector<std::string> names;
  TIniFile(TIni(data).Path).ReadKeyNames("s", names);
  ASSERT_EQ(names.size(), 164u);
  EXPECT_EQ(names[162], "1162" + std::string(95, 'k'));
  EXPECT_EQ(names[163], "1163" + std::string(78, 'k'));
  size_t bytes = 1;
  for (const auto& n : names) bytes += n.size() + 1;
  EXPECT_EQ(bytes, 16384u);
}

// Replaces the real file system to fail reads or writes on demand.
class TFailingFileSystem : public Platform::TFileSystem {
 public:
  bool FailRead = false;
  int WriteError = 0;
  bool ReadFile(const std::string& path, std::string& data) override {
    if (FailRead) return false;
    return Platform::TFileSystem::ReadFile(path, data);
  }
  int ReplaceFile(const std::string& path, const std::string& data) override {
    if (WriteError) return WriteError;
    return Platform::TFileSystem::ReplaceFile(path, data);
  }
};

class IniFailure : public ::testing::Test {
 protected:
  void TearDown() override { Platform::SetFileSystem(nullptr); }
  void ExpectWriteError(const std::string& path) {
    EXPECT_EQ(TestUtil::WriteError([&] { TIniFile(path).WriteText("s", "k", "new"); }),
              "Unable to write to " + path);
  }
  TTempDir FDir;
  TFailingFileSystem FFs;
};

// A full disk, and an existing file that cannot be read: neither is overwritten.
TEST_F(IniFailure, FailedWriteOrReadLeavesFileUnchanged) {
  for (const bool fullDisk : {true, false}) {
    const std::string path = FDir.File("a.ini");
    const std::string old = fullDisk ? "[s]\r\nk=old\r\n" : "[s]\r\nother=keep\r\n";
    TestUtil::WriteFileBytes(path, old);
    FFs.WriteError = fullDisk ? ENOSPC : 0;
    FFs.FailRead = !fullDisk;
    Platform::SetFileSystem(&FFs);
    ExpectWriteError(path);
    EXPECT_EQ(TestUtil::ReadFileBytes(path), old);
    Platform::SetFileSystem(nullptr);
  }
}

TEST_F(IniFailure, MissingFolder) {
  ExpectWriteError(FDir.File("no/such/a.ini"));
  EXPECT_TRUE(TestUtil::ListNames(FDir.Path()).empty());
}

TEST_F(IniFailure, ReadOnlyFileAsUnprivilegedUser) {
  std::string path = FDir.File("a.ini");
  TestUtil::WriteFileBytes(path, "[s]\r\nk=old\r\n");
  ::chmod(path.c_str(), 0444);
  TestUtil::GiveToNobody(FDir.Path());
  int result = TestUtil::RunUnprivileged([&] {
    const std::string error =
        TestUtil::WriteError([&] { TIniFile(path).WriteText("s", "k", "new"); });
    return error == "Unable to write to " + path ? 0 : 2;
  });
  EXPECT_EQ(result, 0);
  EXPECT_EQ(TestUtil::ReadFileBytes(path), "[s]\r\nk=old\r\n");
  EXPECT_EQ(TestUtil::ListNames(FDir.Path()), std::vector<std::string>{"a.ini"});
}

}  // namespace

#include <gtest/gtest.h>

#include <array>

#include "frontend/settings/profile_text.h"

using namespace veyora::frontend;

// Names as a CP932 settings file holds them.
namespace {
const std::string kModeKey = "BGM\x8B\xE6\x95\xAA";       // BGM区分
const std::string kTrackKey = "BGM\xD8\xCB\xDF\xB0\xC4";  // BGMﾘﾋﾟｰﾄ
const std::string kKeyA = "K\x83\x41";                    // Kア
const std::string kKeyDi = "K\x83\x61";                   // Kヂ: the same but for a trail byte

constexpr ProfileEncoding kCp932 = ProfileEncoding::Cp932;
constexpr ProfileEncoding kUtf8 = ProfileEncoding::Utf8;

std::optional<std::string> Lookup(std::string_view file, std::string_view section,
                                  const std::string& key, ProfileEncoding encoding = kCp932) {
  const std::array<std::string, 1> keys = {key};
  return ProfileLookup(file, encoding, section, keys)[0];
}

std::optional<std::string> Store(std::string_view file, std::string_view section,
                                 std::string_view key, std::string_view value,
                                 ProfileEncoding encoding = kCp932) {
  return ProfileStore(file, encoding, section, key, value);
}

}  // namespace

TEST(ProfileLookup, FindsKeysInTheirSectionWithAnyLineEnd) {
  for (const std::string end : {"\n", "\r\n", "\r"}) {
    const std::string file = "[Other]" + end + "k=other" + end + "[Section]" + end + kModeKey +
                             "= 2" + end + "k = v w " + end;
    EXPECT_EQ(Lookup(file, "Section", kModeKey), "2");
    EXPECT_EQ(Lookup(file, "Section", "k"), "v w");
    EXPECT_EQ(Lookup(file, "Other", "k"), "other");
    EXPECT_EQ(Lookup(file, "Section", "missing"), std::nullopt);
    EXPECT_EQ(Lookup(file, "Missing", "k"), std::nullopt);
  }
  // Several keys in one pass, in the order asked.
  const std::array<std::string, 3> keys = {"b", "missing", "a"};
  EXPECT_EQ(ProfileLookup("[S]\na=1\nb=2\n", kCp932, "S", keys),
            (std::vector<std::optional<std::string>>{"2", std::nullopt, "1"}));
}

TEST(ProfileLookup, ReadsValuesAsTheProfileFunctionsDo) {
  EXPECT_EQ(Lookup("[ Section ]\r\nk=last", "Section", "k"), "last");
  EXPECT_EQ(Lookup("[Section]\nk=\n", "Section", "k"), "");
  EXPECT_EQ(Lookup("", "Section", "k"), std::nullopt);
  // One pair of double quotes around a value is not part of it.
  EXPECT_EQ(Lookup("[S]\nk= \"/music/a b.mp3\" \n", "S", "k"), "/music/a b.mp3");
  EXPECT_EQ(Lookup("[S]\nk=\"\"x\"\"\n", "S", "k"), "\"x\"");
  EXPECT_EQ(Lookup("[S]\nk=\"x\n", "S", "k"), "\"x");
  // The first of duplicate sections and keys counts; a later section may add keys.
  const std::string file = "[Section]\nk=first\nk=second\n[Section]\nk=third\nonly=later\n";
  EXPECT_EQ(Lookup(file, "Section", "k"), "first");
  EXPECT_EQ(Lookup(file, "Section", "only"), "later");
}

TEST(ProfileLookup, IgnoresAsciiCaseButComparesDoubleByteCharactersWhole) {
  const std::string file = "[SECTION]\nbgm\x8B\xE6\x95\xAA=1\n" + kKeyA + "=a\n";
  EXPECT_EQ(Lookup(file, "section", kModeKey), "1");
  EXPECT_EQ(Lookup(file, "Section", kKeyA), "a");
  EXPECT_EQ(Lookup(file, "Section", kKeyDi), std::nullopt);
  EXPECT_TRUE(ProfileNamesEqual("a\x83", "A\x83", kCp932));
  // 0x5D (']') is the second byte of the CP932 character 0x83 0x5D.
  EXPECT_EQ(Lookup("[S\x83\x5Dx]\nk=v\n", "S\x83\x5Dx", "k"), "v");
  // In UTF-8 the bytes after a byte that would lead a CP932 character stand alone.
  EXPECT_EQ(Lookup("[ぜ]]\nk=v\n", "ぜ", "k", kUtf8), "v");
}

TEST(ProfileLookup, SurvivesBinaryAndBrokenInput) {
  const std::string binary("\0[\xFF]\n=\n[\n]\r\r\n\x83", 14);
  EXPECT_EQ(Lookup(binary, "Section", "k"), std::nullopt);
  EXPECT_EQ(Lookup(binary + "\n=x", "", ""), "x");
  const std::string longLine = "[Section]\nk=" + std::string(1 << 20, 'x') + "\n";
  EXPECT_EQ(Lookup(longLine, "Section", "k")->size(), 1u << 20);
}

TEST(DetectProfileEncoding, Utf8OnlyWithAMarkOrJapaneseKeysInUtf8) {
  EXPECT_EQ(DetectProfileEncoding("\xEF\xBB\xBF[Section]\n"), kUtf8);
  EXPECT_EQ(DetectProfileEncoding("[Section]\nbgm区分 = 1\n"), kUtf8);
  EXPECT_EQ(DetectProfileEncoding("[Section]\n" + kModeKey + "=1\n"), kCp932);
  // "ﾃｩ" in CP932 is well-formed UTF-8, yet no key is spelt beyond ASCII.
  EXPECT_EQ(DetectProfileEncoding("[Section]\nx=\xC3\xA9\n"), kCp932);
  EXPECT_EQ(DetectProfileEncoding(""), kCp932);
  // After a mark, the first line is read as usual.
  EXPECT_EQ(Lookup("\xEF\xBB\xBF[Section]\r\nBGM区分=2\r\n", "Section", "BGM区分", kUtf8), "2");
}

TEST(ProfileStore, ReplacesOnlyTheValueKeepingEveryOtherByte) {
  const std::string file = "; note\r\n[Section]\r\n  K = old  \r\nother=1\r\n";
  EXPECT_EQ(Store(file, "section", "k", " 5"), "; note\r\n[Section]\r\n  K = 5\r\nother=1\r\n");
  // Only the first of duplicate keys is replaced; a key only a later equal section
  // holds is replaced there.
  EXPECT_EQ(Store("[S]\nk=1\nk=2\n", "S", "k", "3"), "[S]\nk=3\nk=2\n");
  EXPECT_EQ(Store("[S]\na=1\n[S]\nk=1\n", "S", "k", "2"), "[S]\na=1\n[S]\nk=2\n");
  // A value wrapped in quotes gets one more pair, so that it reads back whole.
  EXPECT_EQ(Store("[S]\rk=1\r", "S", "k", "\"q\""), "[S]\rk=\"\"q\"\"\r");
}

TEST(ProfileStore, AddsTheKeyAfterTheSectionsLastLineOrANewSection) {
  EXPECT_EQ(Store("[Section]\na=1\n\n[Next]\nb=2\n", "Section", "k", "v"),
            "[Section]\na=1\nk=v\n\n[Next]\nb=2\n");
  EXPECT_EQ(Store("[Section]\r\na=1", "Section", "k", "v"), "[Section]\r\na=1\r\nk=v\r\n");
  EXPECT_EQ(Store("[Section]\r", "Section", "k", "v"), "[Section]\rk=v\r");
  EXPECT_EQ(Store("", "Section", kTrackKey, " 3"), "[Section]\r\n" + kTrackKey + "= 3\r\n");
  EXPECT_EQ(Store("[Other]\nx=1", "Section", "k", "v"), "[Other]\nx=1\n[Section]\nk=v\n");
  EXPECT_EQ(Store(std::string("\0\xFF", 2), "S", "k", "v"),
            std::string("\0\xFF\r\n[S]\r\nk=v\r\n", 14));
}

TEST(ProfileStore, RefusesTextsThatWouldBreakTheLines) {
  for (const auto& [section, key, value] :
       std::vector<std::array<std::string, 3>>{{"S", "k", "a\nb=1"},
                                               {"S", "k", "a\rb"},
                                               {"S", "k", std::string("a\0b", 3)},
                                               {"S", "k=x", "v"},
                                               {"S", "[k", "v"},
                                               {"S]x", "k", "v"},
                                               {" ", "k", "v"},
                                               {"S", "", "v"},
                                               {"S\x83", "k", "v"}}) {
    EXPECT_EQ(Store("", section, key, value), std::nullopt) << section << "/" << key;
  }
  // A trail byte 0x5D in a section name is no bracket.
  EXPECT_EQ(Store("", "S\x83\x5D", "k", "v"), "[S\x83\x5D]\r\nk=v\r\n");
}

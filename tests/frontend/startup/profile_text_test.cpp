#include <gtest/gtest.h>

#include "frontend/startup/profile_text.h"

// Names as the settings file holds them, in CP932.
namespace {
const std::string kModeKey = "BGM\x8B\xE6\x95\xAA";           // BGM区分
const std::string kTrackKey = "BGM\xD8\xCB\xDF\xB0\xC4";      // BGMﾘﾋﾟｰﾄ
const std::string kKeyA = "K\x83\x41";                        // Kア
const std::string kKeyDi = "K\x83\x61";                       // Kヂ: the same but for a trail byte
}  // namespace

TEST(ProfileLookup, FindsKeysInTheirSectionWithLfOrCrlfLineEnds) {
  const std::string lf = "[Other]\nk=other\n[Section]\n" + kModeKey + "= 2\nk = v w \n";
  const std::string crlf = "[Other]\r\nk=other\r\n[Section]\r\n" + kModeKey + "= 2\r\nk = v w \r\n";
  for (const std::string& file : {lf, crlf}) {
    EXPECT_EQ(ProfileLookup(file, "Section", kModeKey), "2");
    EXPECT_EQ(ProfileLookup(file, "Section", "k"), "v w");
    EXPECT_EQ(ProfileLookup(file, "Other", "k"), "other");
    EXPECT_EQ(ProfileLookup(file, "Section", "missing"), std::nullopt);
    EXPECT_EQ(ProfileLookup(file, "Missing", "k"), std::nullopt);
  }
  // No final line end, blanks around the section name, an empty value.
  EXPECT_EQ(ProfileLookup("[ Section ]\r\nk=last", "Section", "k"), "last");
  EXPECT_EQ(ProfileLookup("[Section]\nk=\n", "Section", "k"), "");
  EXPECT_EQ(ProfileLookup("", "Section", "k"), std::nullopt);
}

TEST(ProfileLookup, IgnoresAsciiCaseButComparesDoubleByteCharactersWhole) {
  const std::string file = "[SECTION]\nbgm\x8B\xE6\x95\xAA=1\n" + kKeyA + "=a\n";
  EXPECT_EQ(ProfileLookup(file, "section", kModeKey), "1");
  EXPECT_EQ(ProfileLookup(file, "Section", kKeyA), "a");
  EXPECT_EQ(ProfileLookup(file, "Section", kKeyDi), std::nullopt);
  EXPECT_FALSE(ProfileNamesEqual(kKeyA, kKeyDi));
  EXPECT_TRUE(ProfileNamesEqual("aBc", "AbC"));
  // A lead byte at the very end stands alone.
  EXPECT_TRUE(ProfileNamesEqual("a\x83", "A\x83"));
}

TEST(ProfileLookup, TakesTheFirstOfDuplicateSectionsAndKeys) {
  const std::string file = "[Section]\nk=first\nk=second\n[Section]\nk=third\nonly=later\n";
  EXPECT_EQ(ProfileLookup(file, "Section", "k"), "first");
  EXPECT_EQ(ProfileLookup(file, "Section", "only"), "later");
}

TEST(ProfileLookup, ASectionNameEndsAtItsBracketNotAtATrailByte) {
  // 0x5D (']') is the second byte of the CP932 character 0x83 0x5D.
  const std::string file = "[S\x83\x5Dx]\nk=v\n";
  EXPECT_EQ(ProfileLookup(file, "S\x83\x5Dx", "k"), "v");
}

TEST(ProfileLookup, SurvivesBinaryAndBrokenInput) {
  const std::string binary("\0[\xFF]\n=\n[\n]\r\r\n\x83", 14);
  EXPECT_EQ(ProfileLookup(binary, "Section", "k"), std::nullopt);
  EXPECT_EQ(ProfileLookup(binary + "\n=x", "", ""), "x");
  const std::string longLine = "[Section]\nk=" + std::string(1 << 20, 'x') + "\n";
  EXPECT_EQ(ProfileLookup(longLine, "Section", "k")->size(), 1u << 20);
}

TEST(ProfileStore, ReplacesAValueInPlaceKeepingEveryOtherByte) {
  const std::string file = "; note\r\n[Section]\r\n  K = old  \r\nother=1\r\n";
  EXPECT_EQ(ProfileStore(file, "section", "k", " 5"),
            "; note\r\n[Section]\r\nk= 5\r\nother=1\r\n");
  // Only the first of duplicate keys is replaced.
  EXPECT_EQ(ProfileStore("[S]\nk=1\nk=2\n", "S", "k", "3"), "[S]\nk=3\nk=2\n");
}

TEST(ProfileStore, AddsTheKeyAfterTheSectionsLastLine) {
  EXPECT_EQ(ProfileStore("[Section]\na=1\n\n[Next]\nb=2\n", "Section", "k", "v"),
            "[Section]\na=1\nk=v\n\n[Next]\nb=2\n");
  EXPECT_EQ(ProfileStore("[Section]\r\na=1", "Section", "k", "v"), "[Section]\r\na=1\r\nk=v\r\n");
  EXPECT_EQ(ProfileStore("[Section]\n", "Section", "k", "v"), "[Section]\nk=v\n");
  // A key that only the second of two equal sections holds is replaced there.
  EXPECT_EQ(ProfileStore("[S]\na=1\n[S]\nk=1\n", "S", "k", "2"), "[S]\na=1\n[S]\nk=2\n");
}

TEST(ProfileStore, CreatesTheSectionAtTheEnd) {
  EXPECT_EQ(ProfileStore("", "Section", kTrackKey, " 3"),
            "[Section]\r\n" + kTrackKey + "= 3\r\n");
  EXPECT_EQ(ProfileStore("[Other]\nx=1\n", "Section", "k", "v"), "[Other]\nx=1\n[Section]\nk=v\n");
  EXPECT_EQ(ProfileStore("[Other]\nx=1", "Section", "k", "v"), "[Other]\nx=1\n[Section]\nk=v\n");
  EXPECT_EQ(ProfileStore(std::string("\0\xFF", 2), "S", "k", "v"),
            std::string("\0\xFF\r\n[S]\r\nk=v\r\n", 14));
}

TEST(ProfileStore, RefusesTextsThatWouldBreakTheLines) {
  EXPECT_EQ(ProfileStore("", "S", "k", "a\nb=1"), std::nullopt);
  EXPECT_EQ(ProfileStore("", "S", "k", "a\rb"), std::nullopt);
  EXPECT_EQ(ProfileStore("", "S", "k", std::string("a\0b", 3)), std::nullopt);
  EXPECT_EQ(ProfileStore("", "S", "k=x", "v"), std::nullopt);
  EXPECT_EQ(ProfileStore("", "S", "[k", "v"), std::nullopt);
  EXPECT_EQ(ProfileStore("", "S]x", "k", "v"), std::nullopt);
  EXPECT_EQ(ProfileStore("", " ", "k", "v"), std::nullopt);
  EXPECT_EQ(ProfileStore("", "S", "", "v"), std::nullopt);
  EXPECT_EQ(ProfileStore("", "S\x83", "k", "v"), std::nullopt);
  // A trail byte 0x5D in a section name is no bracket.
  EXPECT_EQ(ProfileStore("", "S\x83\x5D", "k", "v"), "[S\x83\x5D]\r\nk=v\r\n");
}

#include <gtest/gtest.h>

#include <cmath>

#include "frontend/text/number_text.h"

using namespace veyora::frontend;

TEST(ReadLeadingNumber, ReadsDecimalNumbersAndStopsAtTheFirstForeignCharacter) {
  EXPECT_EQ(ReadLeadingNumber("1234"), 1234);
  EXPECT_EQ(ReadLeadingNumber("1234abc"), 1234);
  EXPECT_EQ(ReadLeadingNumber("-12.5x"), -12.5);
  EXPECT_EQ(ReadLeadingNumber("+7"), 7);
  EXPECT_EQ(ReadLeadingNumber(".5"), 0.5);
  EXPECT_EQ(ReadLeadingNumber("3.25.7"), 3.25);
  EXPECT_EQ(ReadLeadingNumber("1e3"), 1000);
  EXPECT_EQ(ReadLeadingNumber("2D2"), 200);
  EXPECT_EQ(ReadLeadingNumber("1.5E-1"), 0.15);
  // An exponent without digits is not part of the number.
  EXPECT_EQ(ReadLeadingNumber("12e"), 12);
  EXPECT_EQ(ReadLeadingNumber("12e+x"), 12);
  EXPECT_EQ(ReadLeadingNumber("1,234"), 1);
}

TEST(ReadLeadingNumber, SkipsBlanksTabsAndLineFeedsAnywhere) {
  EXPECT_EQ(ReadLeadingNumber("  12 34"), 1234);
  EXPECT_EQ(ReadLeadingNumber("\t1\n2\t3"), 123);
  EXPECT_EQ(ReadLeadingNumber("- 5"), -5);
  EXPECT_EQ(ReadLeadingNumber("& H 1 F"), 31);
  // A carriage return is not skipped: it ends the number.
  EXPECT_EQ(ReadLeadingNumber("12\r34"), 12);
}

TEST(ReadLeadingNumber, ReadsHexadecimalAndOctalAfterTheirPrefixes) {
  EXPECT_EQ(ReadLeadingNumber("&H1F"), 31);
  EXPECT_EQ(ReadLeadingNumber("&hff"), 255);
  EXPECT_EQ(ReadLeadingNumber("&H1E00003"), 0x1E00003);
  EXPECT_EQ(ReadLeadingNumber("&HFFFFFFFF"), 4294967295.0);
  EXPECT_EQ(ReadLeadingNumber("&O17"), 15);
  EXPECT_EQ(ReadLeadingNumber("&o178"), 15);
  EXPECT_EQ(ReadLeadingNumber("&HG"), 0);
  EXPECT_EQ(ReadLeadingNumber("&X12"), 0);
  EXPECT_EQ(ReadLeadingNumber("&12"), 0);
}

TEST(ReadLeadingNumber, TextWithoutANumberGivesZero) {
  EXPECT_EQ(ReadLeadingNumber(""), 0);
  EXPECT_EQ(ReadLeadingNumber("abc"), 0);
  EXPECT_EQ(ReadLeadingNumber("-"), 0);
  EXPECT_EQ(ReadLeadingNumber("."), 0);
  EXPECT_EQ(ReadLeadingNumber(":1234"), 0);
  EXPECT_EQ(ReadLeadingNumber(std::string(100000, ' ')), 0);
}

TEST(ReadLeadingNumber, HugeNumbersBecomeInfiniteInsteadOfFailing) {
  EXPECT_TRUE(std::isinf(ReadLeadingNumber("1e999")));
  EXPECT_TRUE(std::isinf(ReadLeadingNumber("&H" + std::string(300, 'F'))));
  EXPECT_EQ(ReadLeadingNumber("1e-999"), 0);
  EXPECT_TRUE(std::isinf(ReadLeadingNumber(std::string(400, '9'))));
}

TEST(ParseNumberText, AcceptsOnlyTextThatIsWhollyANumber) {
  EXPECT_EQ(ParseNumberText(" 2 "), 2);
  EXPECT_EQ(ParseNumberText("2.9"), 2.9);
  EXPECT_EQ(ParseNumberText("-1.5"), -1.5);
  EXPECT_EQ(ParseNumberText("\t&H10"), 16);
  EXPECT_EQ(ParseNumberText("1e2"), 100);
  EXPECT_EQ(ParseNumberText("abc"), std::nullopt);
  EXPECT_EQ(ParseNumberText("12abc"), std::nullopt);
  EXPECT_EQ(ParseNumberText("1 2"), std::nullopt);
  EXPECT_EQ(ParseNumberText(""), std::nullopt);
  EXPECT_EQ(ParseNumberText("&H"), std::nullopt);
  EXPECT_EQ(ParseNumberText("-"), std::nullopt);
  EXPECT_EQ(ParseNumberText("1e"), std::nullopt);
}

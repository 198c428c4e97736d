#include <gtest/gtest.h>

#include "frontend/dialog/dialog_rules.h"

using namespace veyora::frontend;

TEST(TrackText, ShowsNoZeroAndNoLeadingZeros) {
  EXPECT_EQ(TrackText(0), "");
  EXPECT_EQ(TrackText(7), "7");
  EXPECT_EQ(TrackText(-3), "-3");
}

TEST(AnyCasePattern, MatchesEveryLetterCase) {
  EXPECT_EQ(AnyCasePattern("*.MP3"), "*.[mM][pP]3");
  EXPECT_EQ(AnyCasePattern("*.wav"), "*.[wW][aA][vV]");
}

TEST(GradientRowLevels, DarkAtBothEdgesLightestInTheMiddle) {
  const std::vector<int> rows = GradientRowLevels(3780, 252);
  ASSERT_EQ(rows.size(), 252u);
  // The last of the lines 0 to 7 twips gives the first row its colour.
  EXPECT_EQ(rows[0], 1);
  EXPECT_EQ(rows[126], 220);
  EXPECT_LE(rows[251], 3);
  // A surface higher than its rows leaves the rest to the background.
  EXPECT_EQ(GradientRowLevels(30, 4)[3], -1);
}

TEST(DialogPlace, CentredAcrossAtOneThirdOfTheFreeHeightTruncated) {
  EXPECT_EQ(DialogPlace(19200, 16200, 7260, 4230), (std::pair<int, int>{5970, 3990}));
  EXPECT_EQ(DialogPlace(7185, 3781, 7200, 3800), (std::pair<int, int>{-7, -6}));
}

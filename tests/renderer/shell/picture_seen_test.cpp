#include <gtest/gtest.h>

#include "renderer/shell/picture_seen.h"

namespace veyora {
namespace {

struct SeenCase {
  bool saverActive;
  int powerLevel;
  bool obscured;
  bool seen;
};

class PictureSeenTest : public ::testing::TestWithParam<SeenCase> {};

TEST_P(PictureSeenTest, DrawsOnlyWhatCanBeSeen) {
  const SeenCase c = GetParam();
  EXPECT_EQ(PictureSeen({c.saverActive, c.powerLevel}, c.obscured), c.seen);
}

INSTANTIATE_TEST_SUITE_P(
    States, PictureSeenTest,
    ::testing::Values(SeenCase{false, 0, false, true},   // on, powered, uncovered
                      SeenCase{true, 0, false, false},   // the server's saver blanks it
                      SeenCase{false, 1, false, false},  // monitor in standby
                      SeenCase{false, 2, false, false},  // suspend
                      SeenCase{false, 3, false, false},  // off
                      SeenCase{false, 0, true, false},   // window fully covered
                      SeenCase{true, 3, true, false}));

}  // namespace
}  // namespace veyora

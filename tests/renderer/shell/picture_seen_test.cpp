#include <gtest/gtest.h>

#include "renderer/shell/picture_seen.h"

namespace veyora {
namespace {

struct SeenCase {
  const char* name;
  bool saverActive;
  int powerLevel;
  bool obscured;
  bool seen;
};

void PrintTo(const SeenCase& c, std::ostream* os) { *os << c.name; }

class PictureSeenTest : public ::testing::TestWithParam<SeenCase> {};

TEST_P(PictureSeenTest, DrawsOnlyWhatCanBeSeen) {
  const SeenCase c = GetParam();
  EXPECT_EQ(PictureSeen({c.saverActive, c.powerLevel}, c.obscured), c.seen);
}

INSTANTIATE_TEST_SUITE_P(
    States, PictureSeenTest,
    ::testing::Values(SeenCase{"OnPoweredUncovered", false, 0, false, true},
                      SeenCase{"ServersSaverOn", true, 0, false, false},
                      SeenCase{"MonitorInStandby", false, 1, false, false},
                      SeenCase{"MonitorSuspended", false, 2, false, false},
                      SeenCase{"MonitorOff", false, 3, false, false},
                      SeenCase{"WindowFullyCovered", false, 0, true, false},
                      SeenCase{"AllAtOnce", true, 3, true, false}),
    [](const ::testing::TestParamInfo<SeenCase>& info) { return info.param.name; });

}  // namespace
}  // namespace veyora

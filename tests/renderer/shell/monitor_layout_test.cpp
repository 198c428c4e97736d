#include <gtest/gtest.h>

#include <vector>

#include "renderer/shell/monitor_layout.h"

namespace veyora {

void PrintTo(const ViewPlacement& v, std::ostream* os) {
  *os << "{" << v.rect.left << "," << v.rect.top << " " << v.rect.Width() << "x" << v.rect.Height()
      << (v.primary ? " primary" : "") << (v.fullscreen ? " fullscreen" : "") << " seed+"
      << v.seedOffset << "}";
}

namespace {

using platform::ScreenRect;

constexpr ScreenRect kLeft{0, 0, 1920, 1080};
constexpr ScreenRect kRight{1920, 0, 3200, 1024};

struct LayoutCase {
  const char* name;
  std::vector<Monitor> monitors;
  std::vector<ScreenRect> displays;
  std::vector<ViewPlacement> views;
};

void PrintTo(const LayoutCase& c, std::ostream* os) { *os << c.name; }

class LayOutViewsTest : public ::testing::TestWithParam<LayoutCase> {};

TEST_P(LayOutViewsTest, OneWindowPerMonitorThePrimaryFirst) {
  const LayoutCase& c = GetParam();
  EXPECT_EQ(LayOutViews(c.monitors, c.displays), c.views);
}

INSTANTIATE_TEST_SUITE_P(
    Monitors, LayOutViewsTest,
    ::testing::Values(
        LayoutCase{"OneMonitorAsSdlsDisplay", {{kLeft, true}}, {kLeft},
                   {{kLeft, true, true, 0}}},
        LayoutCase{"ThePrimaryFirstWhateverTheServersOrder",
                   {{kLeft, false}, {kRight, true}}, {kRight, kLeft},
                   {{kRight, true, true, 0}, {kLeft, false, true, 1}}},
        LayoutCase{"NoneFlaggedPrimaryTheFirstIs",
                   {{kLeft, false}, {kRight, false}}, {kLeft},
                   {{kLeft, true, true, 0}, {kRight, false, false, 1}}},
        LayoutCase{"OneDisplaySplitInTwoGetsBorderlessWindows",
                   {{{0, 0, 640, 720}, false}, {{640, 0, 1280, 720}, false}}, {{0, 0, 1280, 720}},
                   {{{0, 0, 640, 720}, true, false, 0}, {{640, 0, 1280, 720}, false, false, 1}}},
        LayoutCase{"MirroredAndEmptyMonitorsGetNoWindow",
                   {{kLeft, false}, {{5, 5, 5, 900}, false}, {kLeft, true}, {kRight, false}},
                   {kLeft, kRight},
                   {{kLeft, true, true, 0}, {kRight, false, true, 1}}},
        LayoutCase{"NoMonitorsReportedSdlsDisplaysStandIn", {}, {kLeft, kRight},
                   {{kLeft, true, true, 0}, {kRight, false, true, 1}}},
        LayoutCase{"NothingAtAll", {}, {}, {}}),
    [](const ::testing::TestParamInfo<LayoutCase>& info) { return info.param.name; });

}  // namespace
}  // namespace veyora

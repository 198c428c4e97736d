#include <gtest/gtest.h>

#include <vector>

#include "renderer/core/monitor_layout.h"

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
constexpr ScreenRect kHalfLeft{0, 0, 640, 720}, kHalfRight{640, 0, 1280, 720};

TEST(LayOutViewsTest, OneWindowPerMonitorThePrimaryFirst) {
  struct Case {
    std::vector<Monitor> monitors;
    std::vector<ScreenRect> displays;
    std::vector<ViewPlacement> views;
  };
  const std::vector<Case> cases{
      {{{kLeft, true}}, {kLeft}, {{kLeft, true, true, 0}}},
      // The primary first, whatever the server's order.
      {{{kLeft, false}, {kRight, true}},
       {kRight, kLeft},
       {{kRight, true, true, 0}, {kLeft, false, true, 1}}},
      // None flagged primary: the first is; a monitor that is no SDL display gets a
      // borderless window.
      {{{kLeft, false}, {kRight, false}},
       {kLeft},
       {{kLeft, true, true, 0}, {kRight, false, false, 1}}},
      {{{kHalfLeft, false}, {kHalfRight, false}},
       {{0, 0, 1280, 720}},
       {{kHalfLeft, true, false, 0}, {kHalfRight, false, false, 1}}},
      // Mirrored and empty monitors get no window.
      {{{kLeft, false}, {{5, 5, 5, 900}, false}, {kLeft, true}, {kRight, false}},
       {kLeft, kRight},
       {{kLeft, true, true, 0}, {kRight, false, true, 1}}},
      // No monitors reported: SDL's displays stand in.
      {{}, {kLeft, kRight}, {{kLeft, true, true, 0}, {kRight, false, true, 1}}},
      {{}, {}, {}}};
  for (std::size_t i = 0; i < cases.size(); ++i) {
    EXPECT_EQ(LayOutViews(cases[i].monitors, cases[i].displays), cases[i].views) << "case " << i;
  }
}

}  // namespace
}  // namespace veyora

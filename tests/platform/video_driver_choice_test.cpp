#include <gtest/gtest.h>

#include <vector>

#include "platform/video_driver_choice.h"

namespace platform {
namespace {

struct DriverCase {
  const char* waylandDisplay;
  const char* sdlVideoDriver;
  VideoDriver expected;
};

TEST(VideoDriverChoiceTest, WaylandWhereTheSessionHasItUnlessTheUserSaysOtherwise) {
  const std::vector<DriverCase> cases = {
      {"wayland-1", nullptr, VideoDriver::Wayland},
      {"wayland-1", "", VideoDriver::Wayland},
      {nullptr, nullptr, VideoDriver::X11},
      {"", nullptr, VideoDriver::X11},
      {"wayland-1", "x11", VideoDriver::X11},
      {nullptr, "wayland", VideoDriver::Wayland},
      {"wayland-1", "wayland,x11", VideoDriver::Wayland},
      {"wayland-1", "x11,wayland", VideoDriver::X11},
  };
  for (const DriverCase& c : cases) {
    EXPECT_EQ(PreferredVideoDriver(c.waylandDisplay, c.sdlVideoDriver), c.expected)
        << (c.waylandDisplay ? c.waylandDisplay : "(unset)") << " / "
        << (c.sdlVideoDriver ? c.sdlVideoDriver : "(unset)");
  }
}

}  // namespace
}  // namespace platform

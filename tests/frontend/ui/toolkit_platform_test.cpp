#include "frontend/ui/toolkit_platform.h"

#include <gtest/gtest.h>

using veyora::frontend::ui::ToolkitPlatform;
using veyora::frontend::ui::ToolkitWindows;

TEST(ToolkitPlatform, WaylandFirstOnAWaylandSessionButForOthersX11WindowsAndTheUsersChoice) {
  struct Case {
    ToolkitWindows windows;
    const char* waylandDisplay;
    const char* userPlatform;
    const char* platform;
  };
  const Case cases[] = {
      {ToolkitWindows::OfTheSession, "wayland-1", nullptr, "wayland;xcb"},
      {ToolkitWindows::OfTheSession, "wayland-1", "", "wayland;xcb"},
      {ToolkitWindows::OfTheSession, nullptr, nullptr, ""},
      {ToolkitWindows::OfTheSession, "", nullptr, ""},
      {ToolkitWindows::OfTheSession, "wayland-1", "xcb", ""},
      {ToolkitWindows::InX11Windows, "wayland-1", nullptr, "xcb"},
      {ToolkitWindows::InX11Windows, nullptr, nullptr, "xcb"},
      {ToolkitWindows::InX11Windows, nullptr, "offscreen", ""},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(ToolkitPlatform(c.windows, c.waylandDisplay, c.userPlatform), c.platform)
        << (c.waylandDisplay ? c.waylandDisplay : "-") << " "
        << (c.userPlatform ? c.userPlatform : "-");
  }
}

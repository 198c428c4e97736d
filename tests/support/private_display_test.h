#pragma once

// GoogleTest comes before Xlib, whose None and Bool macros would break it.
#include <gtest/gtest.h>

#include <X11/Xlib.h>

#include <string>
#include <vector>

#include "tests/support/xvfb_server.h"

namespace testsupport {

// A test on a private X server of the given size, holding one Xlib connection to
// it: the "other client" that the programs under test see. X errors are tolerated.
class PrivateDisplayTest : public ::testing::Test {
 protected:
  PrivateDisplayTest(int width, int height) : server_(width, height) {}
  void SetUp() override;
  void TearDown() override;

  // A top-level window with this title (WM_NAME), not mapped.
  Window MakeTitledWindow(const std::string& title);
  // Titles of the top-level windows that are mapped.
  std::vector<std::string> ShownWindowTitles();

  XvfbServer server_;
  Display* display_ = nullptr;
};

}  // namespace testsupport

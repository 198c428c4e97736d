#include "tests/support/private_display_test.h"

#include "platform/window_search.h"
#include "platform/x_connection.h"

namespace testsupport {

void PrivateDisplayTest::SetUp() {
  ASSERT_TRUE(server_.Running());
  display_ = XOpenDisplay(server_.Display().c_str());
  ASSERT_NE(display_, nullptr);
  platform::TolerateXErrors();
}

void PrivateDisplayTest::TearDown() {
  if (display_) XCloseDisplay(display_);
  display_ = nullptr;
}

Window PrivateDisplayTest::MakeTitledWindow(const std::string& title) {
  Window window = XCreateSimpleWindow(display_, DefaultRootWindow(display_), 0, 0, 10, 10, 0, 0, 0);
  XStoreName(display_, window, title.c_str());
  XSync(display_, False);
  return window;
}

std::vector<std::string> PrivateDisplayTest::ShownWindowTitles() {
  std::vector<std::string> titles;
  Window root = 0, parent = 0;
  Window* children = nullptr;
  unsigned int count = 0;
  if (!XQueryTree(display_, DefaultRootWindow(display_), &root, &parent, &children, &count)) {
    return titles;
  }
  for (unsigned int i = 0; i < count; ++i) {
    XWindowAttributes attributes{};
    if (XGetWindowAttributes(display_, children[i], &attributes) &&
        attributes.map_state == IsViewable) {
      titles.push_back(platform::WindowTitle(display_, children[i]));
    }
  }
  if (children) XFree(children);
  return titles;
}

}  // namespace testsupport

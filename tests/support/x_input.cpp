#include "tests/support/x_input.h"

#include <X11/extensions/XTest.h>

namespace testsupport {

void TapKey(Display* display, KeySym key) {
  const KeyCode code = XKeysymToKeycode(display, key);
  XTestFakeKeyEvent(display, code, True, CurrentTime);
  XTestFakeKeyEvent(display, code, False, CurrentTime);
  XSync(display, False);
}

void ClickInWindow(Display* display, Window window, int x, int y) {
  int rootX = 0, rootY = 0;
  Window child = None;
  XTranslateCoordinates(display, window, DefaultRootWindow(display), x, y, &rootX, &rootY, &child);
  XTestFakeMotionEvent(display, -1, rootX - 3, rootY, CurrentTime);
  XTestFakeMotionEvent(display, -1, rootX, rootY, CurrentTime);
  XTestFakeButtonEvent(display, 1, True, CurrentTime);
  XTestFakeButtonEvent(display, 1, False, CurrentTime);
  XSync(display, False);
}

}  // namespace testsupport

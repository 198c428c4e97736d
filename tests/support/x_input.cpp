#include "tests/support/x_input.h"

#include <X11/extensions/XTest.h>

namespace testsupport {

void TapKey(Display* display, KeySym key) {
  const KeyCode code = XKeysymToKeycode(display, key);
  XTestFakeKeyEvent(display, code, True, CurrentTime);
  XTestFakeKeyEvent(display, code, False, CurrentTime);
  XSync(display, False);
}

}  // namespace testsupport

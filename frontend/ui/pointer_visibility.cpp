#include "frontend/ui/pointer_visibility.h"

#include <X11/extensions/Xfixes.h>

#include "platform/x_connection.h"

namespace veyora::frontend::ui {

int ShowPointer(bool show) {
  static int count = 0;
  const bool wasHidden = count < 0;
  count += show ? 1 : -1;
  const bool hidden = count < 0;
  Display* display = platform::SharedDisplay();
  if (display && hidden != wasHidden) {
    int eventBase = 0, errorBase = 0;
    if (XFixesQueryExtension(display, &eventBase, &errorBase)) {
      // The hide lasts as long as this connection, which lives as long as the process.
      if (hidden) {
        XFixesHideCursor(display, DefaultRootWindow(display));
      } else {
        XFixesShowCursor(display, DefaultRootWindow(display));
      }
      XFlush(display);
    }
  }
  return count;
}

}  // namespace veyora::frontend::ui

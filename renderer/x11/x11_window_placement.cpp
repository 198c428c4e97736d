#include "renderer/x11/x11_window_placement.h"

#include <X11/Xatom.h>

namespace veyora {

void AskFullScreenOnMonitor(Display* display, Window window, long monitor, bool mapped) {
  const Atom monitors = XInternAtom(display, "_NET_WM_FULLSCREEN_MONITORS", False);
  // Top, bottom, left and right edge: all the one monitor.
  long edges[4] = {monitor, monitor, monitor, monitor};
  if (!mapped) {
    XChangeProperty(display, window, monitors, XA_CARDINAL, 32, PropModeReplace,
                    reinterpret_cast<unsigned char*>(edges), 4);
  } else {
    XEvent request{};
    request.xclient.type = ClientMessage;
    request.xclient.window = window;
    request.xclient.message_type = monitors;
    request.xclient.format = 32;
    for (int i = 0; i < 4; ++i) request.xclient.data.l[i] = edges[i];
    request.xclient.data.l[4] = 1;  // a normal application asks
    XSendEvent(display, DefaultRootWindow(display), False,
               SubstructureRedirectMask | SubstructureNotifyMask, &request);
  }
  XSync(display, False);
}

bool WindowManagerRunning(Display* display) {
  const Atom check = XInternAtom(display, "_NET_SUPPORTING_WM_CHECK", False);
  Atom type = None;
  int format = 0;
  unsigned long count = 0, after = 0;
  unsigned char* data = nullptr;
  const bool present =
      XGetWindowProperty(display, DefaultRootWindow(display), check, 0, 1, False, XA_WINDOW, &type,
                         &format, &count, &after, &data) == Success &&
      type == XA_WINDOW && count == 1;
  if (data) XFree(data);
  return present;
}

}  // namespace veyora

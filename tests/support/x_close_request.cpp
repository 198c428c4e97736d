#include "tests/support/x_close_request.h"

#include "platform/window_search.h"

namespace testsupport {

void MakeWindowManagerAtoms(Display* display) {
  XInternAtom(display, "WM_PROTOCOLS", False);
  XInternAtom(display, "WM_DELETE_WINDOW", False);
  XInternAtom(display, "_NET_WM_NAME", False);
  XInternAtom(display, "UTF8_STRING", False);
  XSync(display, False);
}

bool RequestWindowClose(Display* display, Window window) {
  XEvent request{};
  request.xclient.type = ClientMessage;
  request.xclient.window = window;
  request.xclient.message_type = XInternAtom(display, "WM_PROTOCOLS", False);
  request.xclient.format = 32;
  request.xclient.data.l[0] = static_cast<long>(XInternAtom(display, "WM_DELETE_WINDOW", False));
  request.xclient.data.l[1] = CurrentTime;
  const bool sent = XSendEvent(display, window, False, NoEventMask, &request) != 0;
  XSync(display, False);
  return sent;
}

bool RequestWindowClose(Display* display, const std::string& title) {
  const Window window = platform::FindTopLevelWindow(display, title);
  return window != None && RequestWindowClose(display, window);
}

}  // namespace testsupport

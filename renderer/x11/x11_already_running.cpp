#include "renderer/x11/x11_already_running.h"

#include "platform/shared_names.h"
#include "platform/window_search.h"

namespace veyora {

namespace {

// Asks the window manager to activate the window (EWMH), raises it, and gives it the
// keyboard focus where it is viewable (without a window manager nobody else would).
void BringToFront(Display* display, Window window) {
  XEvent activate{};
  activate.xclient.type = ClientMessage;
  activate.xclient.window = window;
  activate.xclient.message_type = XInternAtom(display, "_NET_ACTIVE_WINDOW", False);
  activate.xclient.format = 32;
  activate.xclient.data.l[0] = 1;  // a normal application asks
  activate.xclient.data.l[1] = CurrentTime;
  XSendEvent(display, DefaultRootWindow(display), False,
             SubstructureRedirectMask | SubstructureNotifyMask, &activate);
  XRaiseWindow(display, window);
  XWindowAttributes attributes{};
  if (XGetWindowAttributes(display, window, &attributes) && attributes.map_state == IsViewable) {
    XSetInputFocus(display, window, RevertToParent, CurrentTime);
  }
  // A window that vanished meanwhile only raises errors, which are tolerated.
  XSync(display, False);
}

}  // namespace

bool RaiseRunningScreensaver(Display* display) {
  const Window running =
      platform::FindTopLevelWindow(display, names::kRendererCreationTitle, names::kRendererClass);
  if (running == None || !platform::WindowExists(display, running)) return false;
  BringToFront(display, running);
  return true;
}

}  // namespace veyora

#include "platform/window_search.h"

#include <X11/Xatom.h>
#include <X11/Xutil.h>

#include <cstring>
#include <vector>

#include "platform/x_connection.h"

namespace platform {
namespace {

// Window-manager frames nest client windows a few levels below the root; this
// depth covers every common reparenting manager.
constexpr int kFrameDepth = 3;

std::vector<Window> Children(Display* display, Window window) {
  Window root = 0, parent = 0;
  Window* children = nullptr;
  unsigned int count = 0;
  std::vector<Window> result;
  if (XQueryTree(display, window, &root, &parent, &children, &count) && children) {
    result.assign(children, children + count);
  }
  if (children) XFree(children);
  return result;
}

std::string Utf8Property(Display* display, Window window, Atom property, Atom type) {
  Atom actualType = 0;
  int format = 0;
  unsigned long items = 0, after = 0;
  unsigned char* data = nullptr;
  std::string text;
  if (XGetWindowProperty(display, window, property, 0, 1 << 16, False, type, &actualType, &format,
                         &items, &after, &data) == Success &&
      data && actualType == type && format == 8) {
    text.assign(reinterpret_cast<char*>(data), items);
  }
  if (data) XFree(data);
  return text;
}

std::string LegacyName(Display* display, Window window) {
  XTextProperty property{};
  std::string text;
  if (!XGetWMName(display, window, &property) || !property.value) return text;
  char** list = nullptr;
  int count = 0;
  if (Xutf8TextPropertyToTextList(display, &property, &list, &count) >= Success && list &&
      count > 0) {
    text = list[0];
  }
  if (list) XFreeStringList(list);
  XFree(property.value);
  return text;
}

bool HasProperty(Display* display, Window window, Atom property) {
  Atom actualType = 0;
  int format = 0;
  unsigned long items = 0, after = 0;
  unsigned char* data = nullptr;
  bool present = XGetWindowProperty(display, window, property, 0, 0, False, AnyPropertyType,
                                    &actualType, &format, &items, &after, &data) == Success &&
                 actualType != None;
  if (data) XFree(data);
  return present;
}

bool Matches(Display* display, Window window, const std::string& title, const char* wmClass) {
  if (WindowTitle(display, window) != title) return false;
  return !wmClass || WindowClass(display, window) == wmClass;
}

Window Search(Display* display, Window window, int depth, const std::string& title,
              const char* wmClass, Atom wmState) {
  for (Window child : Children(display, window)) {
    if (Matches(display, child, title, wmClass)) return child;
    // A window that already carries WM_STATE is a client, not a frame: its own
    // children are not top-level windows.
    if (depth > 1 && !HasProperty(display, child, wmState)) {
      if (Window found = Search(display, child, depth - 1, title, wmClass, wmState)) return found;
    }
  }
  return None;
}

}  // namespace

std::string WindowTitle(Display* display, Window window) {
  if (!display || !window) return {};
  XErrorScope errors(display);
  Atom netName = XInternAtom(display, "_NET_WM_NAME", False);
  Atom utf8 = XInternAtom(display, "UTF8_STRING", False);
  std::string title = Utf8Property(display, window, netName, utf8);
  if (title.empty()) title = LegacyName(display, window);
  return errors.Failed() ? std::string() : title;
}

std::string WindowClass(Display* display, Window window) {
  if (!display || !window) return {};
  XErrorScope errors(display);
  XClassHint hint{};
  std::string result;
  if (XGetClassHint(display, window, &hint)) {
    if (hint.res_class) result = hint.res_class;
    if (hint.res_name) XFree(hint.res_name);
    if (hint.res_class) XFree(hint.res_class);
  }
  return errors.Failed() ? std::string() : result;
}

Window FindTopLevelWindow(Display* display, const std::string& title, const char* wmClass) {
  if (!display) return None;
  // Windows that vanish during the walk only raise errors, which are tolerated.
  XErrorScope errors(display);
  Atom wmState = XInternAtom(display, "WM_STATE", False);
  return Search(display, DefaultRootWindow(display), kFrameDepth, title, wmClass, wmState);
}

bool WindowExists(Display* display, Window window) {
  if (!display || !window) return false;
  XErrorScope errors(display);
  XWindowAttributes attributes{};
  Status ok = XGetWindowAttributes(display, window, &attributes);
  return !errors.Failed() && ok;
}

ScreenRect WindowScreenRect(Display* display, Window window) {
  ScreenRect rect;
  if (!display || !window) return rect;
  XErrorScope errors(display);
  XWindowAttributes attributes{};
  if (!XGetWindowAttributes(display, window, &attributes) || errors.Failed()) return rect;
  int x = 0, y = 0;
  Window child = 0;
  if (!XTranslateCoordinates(display, window, attributes.root, 0, 0, &x, &y, &child) ||
      errors.Failed()) {
    return rect;
  }
  rect = {x, y, x + attributes.width, y + attributes.height};
  return rect;
}

}  // namespace platform

#include "renderer/x11/x11_server_monitors.h"

#include <X11/extensions/Xinerama.h>
#include <X11/extensions/Xrandr.h>

#include <string>

namespace veyora {

namespace {

std::vector<Monitor> RandrMonitors(Display* display) {
  std::vector<Monitor> monitors;
  int eventBase = 0;
  if (!HasRandrMonitors(display, eventBase)) return monitors;
  int count = 0;
  XRRMonitorInfo* info = XRRGetMonitors(display, DefaultRootWindow(display), True, &count);
  for (int i = 0; info && i < count; ++i) {
    const XRRMonitorInfo& m = info[i];
    monitors.push_back(
        {{m.x, m.y, m.x + m.width, m.y + m.height}, m.primary != 0, std::to_string(m.name)});
  }
  if (info) XRRFreeMonitors(info);
  return monitors;
}

std::vector<Monitor> XineramaMonitors(Display* display) {
  std::vector<Monitor> monitors;
  int eventBase = 0, errorBase = 0;
  if (!XineramaQueryExtension(display, &eventBase, &errorBase) || !XineramaIsActive(display)) {
    return monitors;
  }
  int count = 0;
  XineramaScreenInfo* screens = XineramaQueryScreens(display, &count);
  for (int i = 0; screens && i < count; ++i) {
    const XineramaScreenInfo& s = screens[i];
    monitors.push_back({{s.x_org, s.y_org, s.x_org + s.width, s.y_org + s.height}, i == 0});
  }
  if (screens) XFree(screens);
  return monitors;
}

}  // namespace

bool HasRandrMonitors(Display* display, int& eventBase) {
  int errorBase = 0, major = 0, minor = 0;
  return XRRQueryExtension(display, &eventBase, &errorBase) &&
         XRRQueryVersion(display, &major, &minor) && major * 100 + minor >= 105;
}

std::vector<Monitor> ServerMonitors(Display* display) {
  std::vector<Monitor> monitors = RandrMonitors(display);
  return monitors.empty() ? XineramaMonitors(display) : monitors;
}

std::optional<long> XineramaIndexOf(Display* display, const platform::ScreenRect& rect) {
  const std::vector<Monitor> screens = XineramaMonitors(display);
  for (size_t i = 0; i < screens.size(); ++i) {
    if (screens[i].rect == rect) return static_cast<long>(i);
  }
  return std::nullopt;
}

}  // namespace veyora

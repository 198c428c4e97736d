#pragma once

#include <X11/Xlib.h>

#include <optional>
#include <vector>

#include "renderer/core/monitor_layout.h"

namespace veyora {

// The monitors the X server reports: its RandR monitors (RandR 1.5), or where it has
// none, its Xinerama screens (the first counting as primary). Empty when it reports
// neither. A RandR monitor's name is its name atom's number.
std::vector<Monitor> ServerMonitors(Display* display);

// True when the server reports RandR monitors (RandR 1.5), with RandR's first event
// number in `eventBase`.
bool HasRandrMonitors(Display* display, int& eventBase);

// The index of the Xinerama screen with exactly this rectangle, as window managers
// number monitors in _NET_WM_FULLSCREEN_MONITORS; nullopt when there is none.
std::optional<long> XineramaIndexOf(Display* display, const platform::ScreenRect& rect);

}  // namespace veyora

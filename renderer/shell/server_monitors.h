#pragma once

#include <X11/Xlib.h>

#include <vector>

#include "renderer/shell/monitor_layout.h"

namespace veyora {

// The monitors the X server reports: its RandR monitors (RandR 1.5), or where it has
// none, its Xinerama screens (the first counting as primary). Empty when it reports
// neither.
std::vector<Monitor> ServerMonitors(Display* display);

}  // namespace veyora

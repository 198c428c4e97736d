#pragma once

#include <X11/Xlib.h>

namespace veyora {

// The renderer's own X connection (platform::SharedDisplay); null, after one line on
// standard error, when no X server can be reached.
Display* OpenX11Display();

}  // namespace veyora

#pragma once

#include <optional>

#include "renderer/core/run_request.h"

namespace veyora {

// The full-screen run as a Wayland client: one full-screen window on each output
// SDL reports, the first showing the scene as the primary monitor does on X11, each
// other one a scene with a seed of its own; no decorations, no idle inhibitor, and
// a window is drawn only when the compositor asks for its next frame, so an output
// that is asleep or covered costs nothing. It ends on a key, on buttons 1 to 3, on
// pointer motion over its windows beyond the input rules' distance, on the keyboard
// focus leaving all of its windows, and on a close request once input has been
// seen. Applies where no host window is asked for, Wayland is the desktop's first
// choice and SDL's Wayland start and the first window work; the exit status then.
std::optional<int> RunWaylandFullScreen(const RunRequest& request);

}  // namespace veyora

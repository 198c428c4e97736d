#pragma once

#include <optional>

namespace veyora {

// The full-screen run as a Wayland client: one full-screen window on each output
// SDL reports, the first showing the scene as the primary monitor does on X11, each
// other one a scene with a seed of its own; no decorations, no idle inhibitor, and
// a window is drawn only when the compositor asks for its next frame, so an output
// that is asleep or covered costs nothing. It ends on a key, on buttons 1 to 3, on
// pointer motion over its windows beyond the input rules' distance, on the keyboard
// focus leaving all of its windows, and on a close request once input has been
// seen. nullopt when SDL's Wayland start or the first window fails, so that the
// caller runs on X11 instead; otherwise the exit status.
std::optional<int> RunWaylandFullScreen();

}  // namespace veyora

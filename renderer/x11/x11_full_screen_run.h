#pragma once

#include <optional>

#include "renderer/core/run_request.h"

namespace veyora {

// The screensaver as the front end starts it, on the X server: unless another
// screensaver window is being created, covers every monitor with a window of its own
// showing the glow scene, the primary one titled for the front end to find, until the
// user's input or a termination signal ends it. Applies to every request without a
// host window. The exit status: 0, or 1 when the X display, SDL or the primary window
// cannot be had.
std::optional<int> RunX11FullScreen(const RunRequest& request);

}  // namespace veyora

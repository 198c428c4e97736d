#pragma once

#include <optional>

#include "renderer/core/run_request.h"

namespace veyora {

// The renderer inside a window that a screen-saver host owns ("-window-id"): draws
// the glow scene into a child window that covers the host window exactly and
// follows its size, until the host window is destroyed or a termination signal
// arrives. It takes no input (key, button and motion events go on to the host), and
// leaves the pointer, the keyboard, the server's screen saver and the top-level
// windows alone. Applies to the requests with a host window. The exit status: 0, or
// 1 after one line on standard error when the X display cannot be had, when the host
// window is not a live window or when nothing can be drawn into it.
std::optional<int> RunX11Hosted(const RunRequest& request);

}  // namespace veyora

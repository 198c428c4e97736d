#pragma once

namespace veyora::frontend {

// True when the compositor of WAYLAND_DISPLAY answers a connection; false when
// the variable is unset or empty or names a compositor that has gone.
bool WaylandDisplayAnswers();

}  // namespace veyora::frontend

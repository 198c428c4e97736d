#pragma once

#include <chrono>
#include <optional>
#include <string>

#include "frontend/desktop/desktop_idle_chain.h"

namespace veyora::frontend {

// The delay the idle watch waits, and what it tells about it.
struct IdleDelayChoice {
  std::chrono::seconds delay{0};
  // Why the delay is shorter than the usual ten minutes ("before GNOME blanks the
  // screen and locks it (after 5 min)"), empty when it is not.
  std::string basis;
  // One line for a delay given that does not come before the desktop's own blank
  // or lock, naming that and where to change it; empty otherwise.
  std::string notice;
  bool operator==(const IdleDelayChoice&) const = default;
};

// The delay `given` on the command line, or, left out, ten minutes, or one minute
// before the desktop's own blank or lock when that comes sooner (half the
// desktop's delay when that is under two minutes), so that the screensaver is seen
// before the desktop takes the screen. A delay given is kept as it is.
IdleDelayChoice ChooseIdleDelay(std::optional<std::chrono::seconds> given,
                                const std::optional<DesktopIdleChain>& desktop);

}  // namespace veyora::frontend

#pragma once

#include <optional>

#include "platform/video_driver_choice.h"

namespace veyora {

// What the renderer is asked to run, as every run sees it.
struct RunRequest {
  // The window of a screen-saver host to draw into ("-window-id"); none to cover the
  // screens.
  std::optional<unsigned long> hostWindow;
  // The windowing system the full-screen run tries first on this desktop.
  platform::VideoDriver preferredDriver = platform::VideoDriver::X11;
};

// One way to run: given the request, its exit status, or nullopt when it does not
// apply here and the next way is to be tried.
using Run = std::optional<int> (*)(const RunRequest& request);

}  // namespace veyora

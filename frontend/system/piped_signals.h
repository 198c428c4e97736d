#pragma once

#include <functional>
#include <vector>

namespace veyora::frontend {

// Hands the signals that arrive in the program's signal pipe (platform::PipeSignals)
// to `onSignals` on the main thread, from the Qt event loop, as many as have
// come together. Needs the Qt application object made and the pipe made.
void HandlePipedSignals(std::function<void(const std::vector<int>& numbers)> onSignals);

}  // namespace veyora::frontend

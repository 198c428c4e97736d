#pragma once

#include <functional>
#include <vector>

namespace veyora::frontend {

// Hands the signals that arrive in the program's signal pipe (platform::PipeSignals)
// to `onSignals` on the GUI thread, from the event loop, as many as have come
// together. Needs the toolkit started and the pipe made.
void HandlePipedSignals(std::function<void(const std::vector<int>& numbers)> onSignals);

}  // namespace veyora::frontend

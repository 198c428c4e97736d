#pragma once

#include <functional>

namespace veyora::frontend {

// From now on SIGTERM, SIGINT and SIGHUP, the ways the system and the user end a
// program, run `onSignal` on the main thread from the Qt event loop, so that the
// program can put things back before it ends. Needs the Qt application object made.
void HandleTerminationSignals(std::function<void()> onSignal);

}  // namespace veyora::frontend

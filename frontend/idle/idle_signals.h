#pragma once

#include <functional>

namespace veyora::frontend {

// The signals the idle watch answers (SIGTERM, SIGINT, SIGHUP: end; SIGUSR1:
// start a run now; SIGCHLD: a run has ended), handed to `onSignal` one by one from
// the Qt event loop, which waits on a pipe the signal handler writes to. False
// when the pipe cannot be made.
bool CatchIdleWatchSignals(std::function<void(int signal)> onSignal);

}  // namespace veyora::frontend

#pragma once

#include <functional>

namespace veyora::frontend {

// The idle watch as a state machine: it waits for the session to go idle, starts
// one screensaver run, and after the run waits for the next idle period. Idle
// notices from the sources always mean a fresh idle period (activity came in
// between), so a run that ends while the user is still away is not started again
// until the user has been back and gone again.
enum class IdleWatchState {
  Waiting,  // for the session to go idle
  Holding,  // idle, but something holds the screen awake: looked at again later
  Running,  // a screensaver run the watch started is on
  // The user came back and has been idle for the delay again while the run is
  // still ending: the next idle period has begun.
  IdleBeforeRunEnded,
  Ended,
};

enum class IdleWatchEvent {
  Idle,       // the session has been idle for the delay
  Active,     // the user is back
  Recheck,    // the later look at a held idle period is due
  RunEnded,   // the run the watch started has ended
  StartNow,   // SIGUSR1: start a run at once
  Terminate,  // SIGTERM, SIGINT, SIGHUP
};

enum class IdleWatchAction {
  None,
  StartRun,
  RecheckLater,  // look again after the delay
  CancelRecheck,
  EndRun,  // end the run the watch started, then the watch
  Finish,  // end the watch
};

struct IdleWatchStep {
  IdleWatchState next;
  IdleWatchAction action;
};

// The step from `state` on `event`. `held` tells whether something holds the screen
// awake now, which may take a question to the desktop: it is asked only where the
// step depends on it.
IdleWatchStep NextIdleWatchStep(IdleWatchState state, IdleWatchEvent event,
                                const std::function<bool()>& held);

}  // namespace veyora::frontend

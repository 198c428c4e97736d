#include "platform/termination_signals.h"

#include <signal.h>

#include "platform/signal_pipe.h"

namespace platform {

bool CatchTerminationSignals(InterruptedCalls calls) {
  return PipeSignals({SIGTERM, SIGINT, SIGHUP},
                     calls == InterruptedCalls::Restart ? SA_RESTART : 0);
}

void RequestTermination() { NoteSignal(SIGTERM); }

bool TerminationRequested() {
  return SignalNoted(SIGTERM) || SignalNoted(SIGINT) || SignalNoted(SIGHUP);
}

int TerminationFd() { return SignalPipeFd(); }

void IgnoreHostRestartSignal() { signal(SIGUSR1, SIG_IGN); }

}  // namespace platform

#pragma once

namespace platform {

// What a system call that a termination signal interrupts does afterwards.
enum class InterruptedCalls {
  Restart,   // carries on, as if nothing had happened
  CutShort,  // returns at once (EINTR), so a sleep or a wait ends early
};

// SIGTERM, SIGINT and SIGHUP are the system or the user ending the program: from
// now on each of them only notes the request, which TerminationRequested() and
// TerminationFd() tell, so that the program puts things back and ends by itself.
// False, with nothing changed, when the descriptor cannot be made.
bool CatchTerminationSignals(InterruptedCalls calls);

// Notes a termination request as the signals do.
void RequestTermination();

// True once a termination request has been noted.
bool TerminationRequested();

// A descriptor that becomes readable once a termination request is noted, so a
// wait on it ends at once; -1 before the signals are caught. Reading it empties
// it until the next request.
int TerminationFd();

// A screen-saver host may send SIGUSR1 to ask its saver to start afresh; the
// glow needs no such reset, so the signal is ignored and must not end the program.
void IgnoreHostRestartSignal();

}  // namespace platform

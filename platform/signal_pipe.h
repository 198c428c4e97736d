#pragma once

#include <initializer_list>
#include <vector>

namespace platform {

// The program's one self-pipe for signals: from now on each signal in `caught`
// only writes its number into a non-blocking pipe, so that a wait on the read
// end wakes at once and its reader learns which signals came, in order. `flags`
// are sigaction's (SA_RESTART, SA_NOCLDSTOP). False, with nothing changed, when
// the pipe cannot be made.
bool PipeSignals(std::initializer_list<int> caught, int flags);

// Notes `signal` as its handler does.
void NoteSignal(int signal);

// True once `signal` has been noted.
bool SignalNoted(int signal);

// The pipe's read end, readable while noted signals wait in it; -1 before the
// pipe is made.
int SignalPipeFd();

// The signals noted since the last call, in the order they came; never waits.
std::vector<int> TakeNotedSignals();

}  // namespace platform

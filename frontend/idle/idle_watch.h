#pragma once

#include <chrono>
#include <functional>
#include <optional>
#include <string>

#include <QTimer>

#include "frontend/desktop/idle_blocks.h"
#include "frontend/idle/idle_watch_states.h"
#include "frontend/idle/sources/idle_source.h"
#include "frontend/system/child_program.h"

namespace veyora::frontend {

// The idle watch on this machine: takes the notices of an idle source, starts
// the screensaver (`frontEnd` with /s) as a process of its own when the session
// goes idle, unless the source or one of the idle `blocks` holds the screen awake
// (then it looks again after each further delay, and when the blocks change), and
// ends when told to by a signal, ending the run it started.
class IdleWatch {
 public:
  IdleWatch(IdleSource& source, IdleBlocks& blocks, std::chrono::milliseconds delay,
            std::string frontEnd);

  // Asked at the start of every idle period, when the user is back: the delay from
  // that period on. Unset, the delay stays.
  std::function<std::chrono::milliseconds()> nextDelay;

  // Hands the watch's signals to it from the event loop (SIGTERM, SIGINT, SIGHUP:
  // end; SIGUSR1: start a run now; SIGCHLD: a run has ended); false when they
  // cannot be caught.
  bool CatchSignals();

 private:
  void Handle(IdleWatchEvent event);
  void Signalled(int signal);
  void StartRun();
  void FollowDelay();

  IdleSource& source_;
  IdleBlocks& blocks_;
  std::string frontEnd_;
  IdleWatchState state_ = IdleWatchState::Waiting;
  QTimer recheck_;
  std::optional<ChildProgram> run_;
};

}  // namespace veyora::frontend

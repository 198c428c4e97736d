#include "frontend/idle/idle_watch.h"

#include <signal.h>

#include <vector>

#include <QCoreApplication>

#include "frontend/system/piped_signals.h"
#include "platform/signal_pipe.h"

namespace veyora::frontend {

namespace {

// How long a run is given to end by itself after SIGTERM before it is killed.
constexpr std::chrono::milliseconds kRunPatience{2000};

}  // namespace

IdleWatch::IdleWatch(IdleSource& source, IdleBlocks& blocks, std::chrono::milliseconds delay,
                     std::string frontEnd)
    : source_(source), blocks_(blocks), frontEnd_(std::move(frontEnd)) {
  recheck_.setSingleShot(true);
  recheck_.setInterval(delay);
  QObject::connect(&recheck_, &QTimer::timeout, [this] { Handle(IdleWatchEvent::Recheck); });
  source_.onIdle = [this] { Handle(IdleWatchEvent::Idle); };
  source_.onActive = [this] {
    Handle(IdleWatchEvent::Active);
    // Not from inside the source's own notice.
    QTimer::singleShot(0, [this] { FollowDelay(); });
  };
  source_.onLost = [this] { Handle(IdleWatchEvent::Terminate); };
  // A block gone while an idle period is held: the recheck need not wait.
  blocks_.onChanged = [this] { Handle(IdleWatchEvent::Recheck); };
}

void IdleWatch::FollowDelay() {
  if (!nextDelay || state_ == IdleWatchState::Ended) return;
  const std::chrono::milliseconds delay = nextDelay();
  if (delay == recheck_.intervalAsDuration()) return;
  recheck_.setInterval(delay);
  source_.SetDelay(delay);
}

bool IdleWatch::CatchSignals() {
  if (!platform::PipeSignals({SIGTERM, SIGINT, SIGHUP, SIGUSR1, SIGCHLD},
                             SA_RESTART | SA_NOCLDSTOP))
    return false;
  HandlePipedSignals([this](const std::vector<int>& caught) {
    for (int signal : caught) Signalled(signal);
  });
  return true;
}

void IdleWatch::Signalled(int signal) {
  switch (signal) {
    case SIGUSR1:
      Handle(IdleWatchEvent::StartNow);
      break;
    case SIGCHLD:
      if (run_ && !run_->Running()) {
        run_.reset();
        // The input that ended the run, when the source has not told of it yet.
        source_.LookNow();
        Handle(IdleWatchEvent::RunEnded);
      }
      break;
    default:
      Handle(IdleWatchEvent::Terminate);
      break;
  }
}

void IdleWatch::Handle(IdleWatchEvent event) {
  const IdleWatchStep step = NextIdleWatchStep(
      state_, event, [this] { return source_.ScreenHeldAwake() || blocks_.Held(); });
  state_ = step.next;
  switch (step.action) {
    case IdleWatchAction::StartRun:
      recheck_.stop();
      StartRun();
      break;
    case IdleWatchAction::RecheckLater:
      recheck_.start();
      break;
    case IdleWatchAction::CancelRecheck:
      recheck_.stop();
      break;
    case IdleWatchAction::EndRun:
      if (run_) run_->End(kRunPatience);
      QCoreApplication::exit(0);
      break;
    case IdleWatchAction::Finish:
      QCoreApplication::exit(0);
      break;
    case IdleWatchAction::None:
      break;
  }
}

void IdleWatch::StartRun() {
  run_.emplace("the screensaver", frontEnd_, std::vector<std::string>{"/s"});
  if (!run_->Running()) {
    run_.reset();
    Handle(IdleWatchEvent::RunEnded);
  }
}

}  // namespace veyora::frontend

#include "frontend/idle/idle_watch_states.h"

namespace veyora::frontend {

namespace {

bool RunOn(IdleWatchState state) {
  return state == IdleWatchState::Running || state == IdleWatchState::IdleBeforeRunEnded;
}

// The session is idle and nothing else is on: start, unless held.
IdleWatchStep IdleStep(bool held) {
  return held ? IdleWatchStep{IdleWatchState::Holding, IdleWatchAction::RecheckLater}
              : IdleWatchStep{IdleWatchState::Running, IdleWatchAction::StartRun};
}

}  // namespace

IdleWatchStep NextIdleWatchStep(IdleWatchState state, IdleWatchEvent event,
                                const std::function<bool()>& held) {
  using S = IdleWatchState;
  using A = IdleWatchAction;
  if (state == S::Ended) return {S::Ended, A::None};
  switch (event) {
    case IdleWatchEvent::Terminate:
      return {S::Ended, RunOn(state) ? A::EndRun : A::Finish};
    case IdleWatchEvent::StartNow:
      return RunOn(state) ? IdleWatchStep{state, A::None} : IdleWatchStep{S::Running, A::StartRun};
    case IdleWatchEvent::RunEnded:
      if (state == S::IdleBeforeRunEnded) return IdleStep(held());
      return state == S::Running ? IdleWatchStep{S::Waiting, A::None}
                                 : IdleWatchStep{state, A::None};
    case IdleWatchEvent::Active:
      if (state == S::IdleBeforeRunEnded) return {S::Running, A::None};
      return state == S::Holding ? IdleWatchStep{S::Waiting, A::CancelRecheck}
                                 : IdleWatchStep{state, A::None};
    case IdleWatchEvent::Idle:
      // Idle notices alternate with Active ones: one during a run means the user
      // came back and went idle again.
      if (RunOn(state)) return {S::IdleBeforeRunEnded, A::None};
      return IdleStep(held());
    case IdleWatchEvent::Recheck:
      // Counts only while an idle period is held.
      return state == S::Holding ? IdleStep(held()) : IdleWatchStep{state, A::None};
  }
  return {state, A::None};
}

}  // namespace veyora::frontend

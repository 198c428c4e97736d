#include "frontend/idle/idle_watch_states.h"

IdleWatchStep NextIdleWatchStep(IdleWatchState state, IdleWatchEvent event, bool held) {
  using S = IdleWatchState;
  using A = IdleWatchAction;
  if (state == S::Ended) return {S::Ended, A::None};
  switch (event) {
    case IdleWatchEvent::Terminate:
      return {S::Ended, state == S::Running ? A::EndRun : A::Finish};
    case IdleWatchEvent::StartNow:
      return state == S::Running ? IdleWatchStep{S::Running, A::None} : IdleWatchStep{S::Running, A::StartRun};
    case IdleWatchEvent::RunEnded:
      return state == S::Running ? IdleWatchStep{S::Waiting, A::None} : IdleWatchStep{state, A::None};
    case IdleWatchEvent::Active:
      return state == S::Holding ? IdleWatchStep{S::Waiting, A::CancelRecheck} : IdleWatchStep{state, A::None};
    case IdleWatchEvent::Idle:
    case IdleWatchEvent::Recheck:
      // A recheck counts only while an idle period is held; an idle notice
      // only while no run is on.
      if (state == S::Running || (event == IdleWatchEvent::Recheck && state != S::Holding)) {
        return {state, A::None};
      }
      return held ? IdleWatchStep{S::Holding, A::RecheckLater} : IdleWatchStep{S::Running, A::StartRun};
  }
  return {state, A::None};
}

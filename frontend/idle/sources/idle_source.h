#pragma once

#include <functional>

namespace veyora::frontend {

// A desktop's notices that the session has gone idle for a set delay, and that
// the user is back. The notices arrive from the Qt event loop, which waits on the
// source's connection; Idle and Active alternate, Idle first.
class IdleSource {
 public:
  virtual ~IdleSource() = default;

  std::function<void()> onIdle;
  std::function<void()> onActive;
  // The connection to the desktop has gone: the session is over.
  std::function<void()> onLost;

  // True while an application holds the screen awake in a way the idle notices
  // themselves do not already honour.
  virtual bool ScreenHeldAwake() { return false; }

  // Brings the notices up to date at once, for a source that looks only now and
  // then; the others' notices arrive by themselves.
  virtual void LookNow() {}
};

}  // namespace veyora::frontend

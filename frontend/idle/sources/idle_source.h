#pragma once

#include <chrono>
#include <functional>
#include <optional>

#include "frontend/desktop/desktop_idle_chain.h"

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

  // From now on the Idle notice comes after `delay` of idleness. Given at the start
  // of an idle period, it counts from that one on.
  virtual void SetDelay(std::chrono::milliseconds delay) = 0;

  // When the source's own display blanks the screen by itself, where the source
  // knows it and no desktop says so (the X server's saver).
  virtual std::optional<DesktopIdleChain> OwnIdleChain() { return std::nullopt; }
};

}  // namespace veyora::frontend

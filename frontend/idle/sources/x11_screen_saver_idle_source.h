#pragma once

#include <chrono>
#include <memory>
#include <optional>

#include <QTimer>

#include "frontend/idle/sources/idle_source.h"
#include "frontend/idle/sources/screen_saver_inhibitors.h"

typedef struct _XDisplay Display;
class QSocketNotifier;

namespace veyora::frontend {

// Idle notices made from the X server's MIT-SCREEN-SAVER extension: its idle
// time, looked at once when it would reach the delay (never more often than once
// per delay), and its notify events when the server's own saver comes or goes.
// The screen counts as held awake while an application has suspended the
// server's saver (XScreenSaverSuspend), which the extension does not report: the
// server's saver should then be on, its timeout having passed, but it is not.
// It counts as held awake too while an application holds an inhibitor through
// org.freedesktop.ScreenSaver, which the source serves where no one else does.
class X11ScreenSaverIdleSource : public IdleSource {
 public:
  // A connection of its own to the X server of DISPLAY; null when there is none
  // or it lacks the extension.
  static std::unique_ptr<X11ScreenSaverIdleSource> Open(std::chrono::milliseconds delay);
  ~X11ScreenSaverIdleSource() override;

  // Starts looking; the notices arrive once the Qt event loop runs.
  void Watch();
  bool ScreenHeldAwake() override;
  void LookNow() override { Check(); }
  void SetDelay(std::chrono::milliseconds delay) override;
  // The server's own saver: it blanks the screen after its timeout.
  std::optional<DesktopIdleChain> OwnIdleChain() override;

 private:
  X11ScreenSaverIdleSource(Display* display, std::chrono::milliseconds delay);
  void ReadEvents();
  void Check();

  Display* display_;
  int eventBase_ = 0;
  std::chrono::milliseconds delay_;
  bool idle_ = false;  // the last notice was Idle
  // The idle time at the last look and when that was: an idle time below what
  // has passed since then tells of input in between.
  std::optional<std::chrono::milliseconds> lastIdle_;
  std::chrono::steady_clock::time_point lastLook_;
  QTimer nextLook_;
  ScreenSaverInhibitors inhibitors_;
  std::unique_ptr<QSocketNotifier> readable_;
};

}  // namespace veyora::frontend

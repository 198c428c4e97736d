#pragma once

#include <QTimer>
#include <functional>

namespace veyora::frontend::ui {

// A window timer: ticks every interval (in milliseconds) on the GUI thread while it is
// enabled and its interval is above 0. Disabling it stops the ticks at once, also
// from inside its own tick handler.
class Timer {
 public:
  explicit Timer(int intervalMs = 0, bool enabled = false);

  bool Enabled() const { return enabled_; }
  void SetEnabled(bool enabled);

  std::function<void()> onTick;

 private:
  void Apply();

  int interval_;
  bool enabled_;
  QTimer timer_;
};

}  // namespace veyora::frontend::ui

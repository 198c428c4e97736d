#pragma once

#include <X11/Xlib.h>

#include <functional>
#include <memory>
#include <vector>

class QSocketNotifier;

namespace veyora::frontend {

// Tells when any of a few X windows is destroyed. Listens on the process's own
// Xlib connection, whose events are read from the toolkit's event loop as they
// arrive.
class WindowGoneWatch {
 public:
  explicit WindowGoneWatch(Display* display);
  ~WindowGoneWatch();
  WindowGoneWatch(const WindowGoneWatch&) = delete;
  WindowGoneWatch& operator=(const WindowGoneWatch&) = delete;

  // Asks the X server for the window's structure events. False when the id names
  // no window (or no longer does); nothing is watched then.
  bool Watch(Window window);

  // Calls `onGone` from the event loop once a watched window is destroyed. False,
  // and `onGone` is never called, when the news has already come in. Needs the
  // toolkit started.
  bool Start(std::function<void()> onGone);

 private:
  // Reads the events that have come in; true once a watched window is destroyed.
  bool ReadEvents();

  Display* display_;
  std::vector<Window> watched_;
  std::function<void()> onGone_;
  std::unique_ptr<QSocketNotifier> notifier_;
};

}  // namespace veyora::frontend

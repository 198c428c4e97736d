#include "tests/support/x_wait.h"

#include <chrono>
#include <thread>

#include "platform/window_search.h"

namespace testsupport {

bool WaitUntil(const std::function<bool()>& condition, int timeoutMs, int pollMs) {
  auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
  while (true) {
    if (condition()) return true;
    if (std::chrono::steady_clock::now() >= deadline) return false;
    std::this_thread::sleep_for(std::chrono::milliseconds(pollMs));
  }
}

Window WaitForWindow(Display* display, const std::string& title, int timeoutMs,
                     const char* wmClass) {
  Window found = None;
  WaitUntil([&] { return (found = platform::FindTopLevelWindow(display, title, wmClass)) != None; },
            timeoutMs);
  return found;
}

bool WaitForWindowGone(Display* display, const std::string& title, int timeoutMs) {
  return WaitUntil([&] { return platform::FindTopLevelWindow(display, title) == None; }, timeoutMs);
}

bool WaitForFocus(Display* display, Window window, int timeoutMs) {
  return WaitUntil(
      [&] {
        Window focus = None;
        int revertTo = 0;
        XGetInputFocus(display, &focus, &revertTo);
        return focus == window;
      },
      timeoutMs);
}

}  // namespace testsupport

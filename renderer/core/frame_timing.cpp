#include "renderer/core/frame_timing.h"

#include <time.h>

#include <chrono>

namespace veyora {

double SecondsNow() {
  using Clock = std::chrono::steady_clock;
  return std::chrono::duration<double>(Clock::now().time_since_epoch()).count();
}

void SleepSeconds(double seconds) {
  if (seconds <= 0.0) return;
  timespec wait{};
  wait.tv_sec = static_cast<time_t>(seconds);
  wait.tv_nsec = static_cast<long>((seconds - static_cast<double>(wait.tv_sec)) * 1e9);
  nanosleep(&wait, nullptr);
}

}  // namespace veyora

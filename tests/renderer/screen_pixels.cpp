#include "tests/renderer/screen_pixels.h"

#include <X11/Xutil.h>

#include <chrono>
#include <utility>

#include "tests/support/x_wait.h"

namespace veyora::testing {
namespace {

// Between two screen captures, so that capturing leaves the processor to the
// renderer being watched.
constexpr int kCaptureIntervalMs = 20;

}  // namespace

std::vector<unsigned long> ScreenPixels(Display* display, const platform::ScreenRect& rect) {
  std::vector<unsigned long> pixels;
  XImage* image = XGetImage(display, DefaultRootWindow(display), rect.left, rect.top, rect.Width(),
                            rect.Height(), AllPlanes, ZPixmap);
  if (!image) return pixels;
  pixels.reserve(static_cast<std::size_t>(rect.Width()) * rect.Height());
  for (int y = 0; y < rect.Height(); ++y) {
    for (int x = 0; x < rect.Width(); ++x) pixels.push_back(XGetPixel(image, x, y) & 0xFFFFFF);
  }
  XDestroyImage(image);
  return pixels;
}

int BrightPixels(const std::vector<unsigned long>& pixels) {
  int bright = 0;
  for (unsigned long p : pixels) {
    if (((p >> 16) & 0xFF) >= 64 || ((p >> 8) & 0xFF) >= 64 || (p & 0xFF) >= 64) ++bright;
  }
  return bright;
}

bool ShowsMovingGlow(Display* display, const platform::ScreenRect& rect, int timeoutMs) {
  return ShowsMovingGlow([&] { return ScreenPixels(display, rect); }, rect.Width() * rect.Height(),
                         timeoutMs);
}

bool ShowsMovingGlow(const std::function<std::vector<unsigned long>()>& capture, int pixelCount,
                     int timeoutMs) {
  // About 200 bright pixels on a 640 x 480 picture: a dozen sprites' cores.
  const int enough = pixelCount / 1500;
  std::vector<unsigned long> previous = capture();
  return testsupport::WaitUntil(
      [&] {
        std::vector<unsigned long> current = capture();
        const bool moving = current != previous && BrightPixels(previous) > enough &&
                            BrightPixels(current) > enough;
        previous = std::move(current);
        return moving;
      },
      timeoutMs, kCaptureIntervalMs);
}

bool PictureChanges(Display* display, const platform::ScreenRect& rect, int times, int timeoutMs) {
  std::vector<unsigned long> shown = ScreenPixels(display, rect);
  int changes = 0;
  return testsupport::WaitUntil(
      [&] {
        std::vector<unsigned long> current = ScreenPixels(display, rect);
        if (current != shown) {
          ++changes;
          shown = std::move(current);
        }
        return changes >= times;
      },
      timeoutMs, kCaptureIntervalMs);
}

bool PictureComesToRest(Display* display, const platform::ScreenRect& rect, int stillMs,
                        int timeoutMs) {
  using Clock = std::chrono::steady_clock;
  std::vector<unsigned long> shown = ScreenPixels(display, rect);
  Clock::time_point shownSince = Clock::now();
  return testsupport::WaitUntil(
      [&] {
        std::vector<unsigned long> current = ScreenPixels(display, rect);
        if (current != shown) {
          shown = std::move(current);
          shownSince = Clock::now();
        }
        return Clock::now() - shownSince >= std::chrono::milliseconds(stillMs);
      },
      timeoutMs, kCaptureIntervalMs);
}

}  // namespace veyora::testing

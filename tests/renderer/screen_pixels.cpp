#include "tests/renderer/screen_pixels.h"

#include <X11/Xutil.h>

#include <chrono>
#include <thread>

#include "tests/support/x_wait.h"

namespace veyora::testing {

std::vector<unsigned long> ScreenPixels(Display* display, const platform::ScreenRect& rect) {
  std::vector<unsigned long> pixels;
  XImage* image = XGetImage(display, DefaultRootWindow(display), rect.left, rect.top,
                            rect.Width(), rect.Height(), AllPlanes, ZPixmap);
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
  return testsupport::WaitUntil(
      [&] {
        const auto first = capture();
        std::this_thread::sleep_for(std::chrono::milliseconds(100));
        const auto second = capture();
        return first != second && BrightPixels(first) > enough && BrightPixels(second) > enough;
      },
      timeoutMs);
}

}  // namespace veyora::testing

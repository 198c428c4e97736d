// Prints how long the renderer started with -window-id takes to show its first
// frame in a host window covering a 1920 x 1080 screen, and how long it takes to be
// gone after SIGTERM, over a few runs.
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <signal.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <string>
#include <thread>
#include <vector>

#include "tests/support/child_process.h"
#include "tests/support/xvfb_server.h"

namespace {

constexpr int kWidth = 1920;
constexpr int kHeight = 1080;
constexpr int kRuns = 7;
constexpr int kDeadlineMs = 30000;

using Clock = std::chrono::steady_clock;

double MsSince(Clock::time_point start) {
  return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

// True when some pixel at the top middle of the window is not black: the first
// frame's start points sit there, at the top edge of the view.
bool FirstFrameShown(Display* display, Window host) {
  XImage* image = XGetImage(display, host, kWidth / 2 - 100, 0, 200, 40, AllPlanes, ZPixmap);
  if (!image) return false;
  bool lit = false;
  for (int y = 0; y < 40 && !lit; ++y) {
    for (int x = 0; x < 200 && !lit; ++x) lit = (XGetPixel(image, x, y) & 0xFFFFFF) != 0;
  }
  XDestroyImage(image);
  return lit;
}

struct Run {
  double firstFrameMs = -1;
  double goneMs = -1;
};

Run TimeOneRun(const std::string& displayName, Display* display) {
  Window host = XCreateSimpleWindow(display, DefaultRootWindow(display), 0, 0, kWidth, kHeight, 0,
                                    0, 0);
  XMapWindow(display, host);
  XSync(display, False);
  char id[32];
  std::snprintf(id, sizeof id, "0x%lx", host);
  Run run;
  const auto start = Clock::now();
  testsupport::ChildProcess renderer(testsupport::RendererPath(), {"-window-id", id},
                                     {{"DISPLAY", displayName}, {"LIBGL_ALWAYS_SOFTWARE", "1"}});
  while (MsSince(start) < kDeadlineMs && renderer.Running()) {
    if (FirstFrameShown(display, host)) {
      run.firstFrameMs = MsSince(start);
      break;
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(1));
  }
  // Let it draw for a while, as it would under a host.
  std::this_thread::sleep_for(std::chrono::seconds(2));
  const auto signalled = Clock::now();
  renderer.Signal(SIGTERM);
  if (renderer.WaitExit(kDeadlineMs) == 0) run.goneMs = MsSince(signalled);
  XDestroyWindow(display, host);
  XSync(display, False);
  return run;
}

double Median(std::vector<double> values) {
  std::sort(values.begin(), values.end());
  return values[values.size() / 2];
}

}  // namespace

int main() {
  testsupport::XvfbServer server(kWidth, kHeight);
  Display* display = server.Running() ? XOpenDisplay(server.Display().c_str()) : nullptr;
  if (!display) {
    std::fprintf(stderr, "cannot start Xvfb\n");
    return 1;
  }
  std::vector<double> firstFrames, gones;
  std::printf("renderer -window-id, host window %dx%d, %d runs:\n", kWidth, kHeight, kRuns);
  for (int i = 0; i < kRuns; ++i) {
    const Run run = TimeOneRun(server.Display(), display);
    std::printf("  run %d: start to first frame %.1f ms, SIGTERM to gone %.1f ms\n", i + 1,
                run.firstFrameMs, run.goneMs);
    firstFrames.push_back(run.firstFrameMs);
    gones.push_back(run.goneMs);
  }
  std::printf("  median: start to first frame %.1f ms, SIGTERM to gone %.1f ms\n",
              Median(firstFrames), Median(gones));
  XCloseDisplay(display);
  return 0;
}

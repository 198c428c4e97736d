// Prints how long the screensaver takes to show its first frame in a host window
// covering a 1920 x 1080 screen, and how long it takes to be gone after SIGTERM,
// over a few runs: the renderer started with -window-id on its own, and the front
// end started as XScreenSaver starts a display mode (XSCREENSAVER_WINDOW and
// -root), whose end waits for the renderer's, so both programs are gone then.
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <signal.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <map>
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

// How a host starts the screensaver: the program, its switches after the window
// id's place, and whether the id goes in XSCREENSAVER_WINDOW.
struct Start {
  const char* label;
  std::string program;
  bool throughVariable;
};

Run TimeOneRun(const std::string& displayName, Display* display, const Start& how) {
  Window host =
      XCreateSimpleWindow(display, DefaultRootWindow(display), 0, 0, kWidth, kHeight, 0, 0, 0);
  XMapWindow(display, host);
  XSync(display, False);
  char id[32];
  std::snprintf(id, sizeof id, "0x%lx", host);
  Run run;
  const auto start = Clock::now();
  std::map<std::string, std::string> env{{"DISPLAY", displayName}, {"LIBGL_ALWAYS_SOFTWARE", "1"}};
  std::vector<std::string> args{"-window-id", id};
  if (how.throughVariable) {
    env["XSCREENSAVER_WINDOW"] = id;
    args = {"-root"};
  }
  testsupport::ChildProcess renderer(how.program, args, env);
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
  for (const Start& how :
       {Start{"renderer -window-id", testsupport::RendererPath(), false},
        Start{"front end -root, XSCREENSAVER_WINDOW", testsupport::FrontEndPath(), true}}) {
    std::vector<double> firstFrames, gones;
    std::printf("%s, host window %dx%d, %d runs:\n", how.label, kWidth, kHeight, kRuns);
    for (int i = 0; i < kRuns; ++i) {
      const Run run = TimeOneRun(server.Display(), display, how);
      std::printf("  run %d: start to first frame %.1f ms, SIGTERM to gone %.1f ms\n", i + 1,
                  run.firstFrameMs, run.goneMs);
      firstFrames.push_back(run.firstFrameMs);
      gones.push_back(run.goneMs);
    }
    std::printf("  median: start to first frame %.1f ms, SIGTERM to gone %.1f ms\n",
                Median(firstFrames), Median(gones));
  }
  XCloseDisplay(display);
  return 0;
}

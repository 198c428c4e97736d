// Prints, for panes of a few sizes on a private virtual X server, the time from
// starting "Veyora(Ra05).scr /p <pane>" to the picture showing in the pane, the
// program's peak resident memory, and the time it takes to end once the pane is
// destroyed.
#include <QImage>

#include "tests/frontend/preview/window_pixels.h"

#include <X11/Xlib.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <string>
#include <thread>
#include <vector>

#include "tests/support/child_process.h"
#include "tests/support/xvfb_server.h"

namespace {

using Clock = std::chrono::steady_clock;

constexpr double kPictureTolerance = 6.0;
constexpr double kGiveUpSeconds = 10.0;

double SecondsSince(Clock::time_point start) {
  return std::chrono::duration<double>(Clock::now() - start).count();
}

struct Figures {
  std::vector<double> showSeconds;
  std::vector<double> endSeconds;
  std::vector<long> peakKiB;
};

template <typename T>
T Median(std::vector<T> values) {
  std::sort(values.begin(), values.end());
  return values[values.size() / 2];
}

// One run: pane, program, picture, pane destroyed, program ended.
bool RunOnce(Display* display, const std::string& displayName, int width, int height,
             const QImage& expected, Figures& figures) {
  const Window pane =
      XCreateSimpleWindow(display, DefaultRootWindow(display), 0, 0, width, height, 0, 0, 0xFF00FF);
  XMapWindow(display, pane);
  XSync(display, False);

  const Clock::time_point start = Clock::now();
  testsupport::ChildProcess program(testsupport::FrontEndPath(), {"/p", std::to_string(pane)},
                                    {{"DISPLAY", displayName}});
  bool shown = false;
  while (!shown && SecondsSince(start) < kGiveUpSeconds) {
    shown = MeanChannelDifference(WindowPixels(display, pane), expected) < kPictureTolerance;
    if (!shown) std::this_thread::sleep_for(std::chrono::milliseconds(1));
  }
  if (shown) figures.showSeconds.push_back(SecondsSince(start));
  // Lets the program settle after its first paint before its peak is read.
  std::this_thread::sleep_for(std::chrono::milliseconds(200));
  figures.peakKiB.push_back(testsupport::ProcessStatusKiB(program.Pid(), "VmHWM"));

  XDestroyWindow(display, pane);
  XSync(display, False);
  const Clock::time_point destroyed = Clock::now();
  const bool ended = program.WaitExit(static_cast<int>(kGiveUpSeconds * 1000)).has_value();
  if (ended) figures.endSeconds.push_back(SecondsSince(destroyed));
  return shown && ended;
}

}  // namespace

int main() {
  testsupport::XvfbServer server(1280, 1024);
  if (!server.Running()) {
    std::fprintf(stderr, "preview_bench: Xvfb did not start\n");
    return 1;
  }
  Display* display = XOpenDisplay(server.Display().c_str());
  const QImage picture = QImage(PREVIEW_PICTURE_FILE).convertToFormat(QImage::Format_RGB32);
  if (!display || picture.isNull()) {
    std::fprintf(stderr, "preview_bench: no display or no picture\n");
    return 1;
  }

  struct PaneSize {
    int width, height, runs;
  };
  std::printf("%-11s %5s  %-30s  %-11s  %s\n", "pane", "runs", "/p to picture (median min max)",
              "peak RSS", "end after pane destroyed (median max)");
  for (const PaneSize size :
       {PaneSize{152, 112, 20}, PaneSize{400, 300, 10}, PaneSize{1280, 1024, 5}}) {
    const QImage expected =
        picture.scaled(size.width, size.height, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    Figures figures;
    int failed = 0;
    for (int i = 0; i < size.runs; ++i) {
      if (!RunOnce(display, server.Display(), size.width, size.height, expected, figures)) {
        ++failed;
      }
    }
    if (figures.showSeconds.empty() || figures.endSeconds.empty()) {
      std::printf("%4dx%-6d all %d runs failed\n", size.width, size.height, size.runs);
      continue;
    }
    std::printf("%4dx%-6d %5d  %6.1f %6.1f %6.1f ms          %6ld KiB   %5.1f %5.1f ms%s\n",
                size.width, size.height, size.runs, Median(figures.showSeconds) * 1e3,
                *std::min_element(figures.showSeconds.begin(), figures.showSeconds.end()) * 1e3,
                *std::max_element(figures.showSeconds.begin(), figures.showSeconds.end()) * 1e3,
                Median(figures.peakKiB), Median(figures.endSeconds) * 1e3,
                *std::max_element(figures.endSeconds.begin(), figures.endSeconds.end()) * 1e3,
                failed ? " (some runs failed)" : "");
  }
  XCloseDisplay(display);
  return 0;
}

// The settings dialog on a private Xvfb, median of runs that alternate:
// 1. from starting "Veyora(Ra05).scr /c" to the dialog's window mapped and its
//    gradient painted (its middle row lit), beside a bare Qt Widgets window of the
//    same size from start to mapped and painted; the dialog's peak memory then;
// 2. in this process, on the toolkit's off-screen platform, the time of one full
//    gradient paint of the window and its panel (a resize of the dialog).
// Usage: dialog_bench [runs]
// Qt before Xlib, whose Bool and Status macros break Qt's headers.
#include <QApplication>
#include <QResizeEvent>

#include "frontend/dialog/quorin05_p.h"
#include "frontend/ui/toolkit.h"

#include <X11/Xlib.h>
#include <X11/Xutil.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <memory>
#include <string>
#include <vector>

#include "platform/shared_names.h"
#include "platform/window_search.h"
#include "platform/x_connection.h"
#include "tests/support/child_process.h"
#include "tests/support/temporary_folder.h"
#include "tests/support/x_wait.h"
#include "tests/support/xvfb_server.h"

using namespace veyora::frontend;

namespace {

using Clock = std::chrono::steady_clock;

double Median(std::vector<double> values) {
  if (values.empty()) return -1;
  std::sort(values.begin(), values.end());
  return values[values.size() / 2];
}

// True once the window is viewable and the pixel in the middle of its left
// edge is no longer black (the toolkit has painted it).
bool Painted(Display* display, Window window) {
  XWindowAttributes attributes{};
  if (!XGetWindowAttributes(display, window, &attributes) || attributes.map_state != IsViewable) {
    return false;
  }
  XImage* image = XGetImage(display, window, 2, attributes.height / 2, 1, 1, AllPlanes, ZPixmap);
  if (!image) return false;
  const bool lit = (XGetPixel(image, 0, 0) & 0xFFFFFF) != 0;
  XDestroyImage(image);
  return lit;
}

struct Shown {
  double ms = -1;
  long peakKiB = 0;
};

Shown TimeWindow(Display* display, const std::string& server, const std::string& program,
                 const std::vector<std::string>& args, const std::string& title) {
  const Clock::time_point start = Clock::now();
  testsupport::ChildProcess child(program, args, {{"DISPLAY", server}});
  Shown shown;
  Window window = None;
  if (testsupport::WaitUntil(
          [&] {
            if (window == None) window = platform::FindTopLevelWindow(display, title);
            return window != None && Painted(display, window);
          },
          20000)) {
    shown.ms = std::chrono::duration<double, std::milli>(Clock::now() - start).count();
    shown.peakKiB = testsupport::ProcessStatusKiB(child.Pid(), "VmHWM");
  }
  return shown;
}

}  // namespace

int main(int argc, char** argv) {
  const int runs = argc > 1 ? std::max(1, atoi(argv[1])) : 10;
  testsupport::XvfbServer server(1280, 1024);
  Display* display = XOpenDisplay(server.Display().c_str());
  if (!display) return 1;
  platform::TolerateXErrors();
  testsupport::TemporaryFolder folder;
  const std::string frontEnd = folder.File(names::kFrontEndFile);
  std::filesystem::copy_file(testsupport::FrontEndPath(), frontEnd);
  std::ofstream(folder.File(names::kRendererFile)) << "stand-in";

  std::vector<double> dialog, bare;
  long dialogPeak = 0, barePeak = 0;
  for (int i = 0; i < runs; ++i) {
    const Shown ours = TimeWindow(display, server.Display(), frontEnd, {"/c"}, names::kDialogTitle);
    const Shown plain =
        TimeWindow(display, server.Display(), BARE_QT_WINDOW, {"bare window"}, "bare window");
    dialog.push_back(ours.ms);
    bare.push_back(plain.ms);
    dialogPeak = std::max(dialogPeak, ours.peakKiB);
    barePeak = std::max(barePeak, plain.peakKiB);
  }
  std::printf("start to window painted (%d runs each, medians; -1 = not seen)\n", runs);
  std::printf("  settings dialog /c: %.1f ms, peak memory %ld KiB\n", Median(dialog), dialogPeak);
  std::printf("  bare Qt window:     %.1f ms, peak memory %ld KiB\n", Median(bare), barePeak);
  std::printf("  ratio: time %.2f, memory %.2f\n", Median(dialog) / Median(bare),
              static_cast<double>(dialogPeak) / static_cast<double>(barePeak));
  XCloseDisplay(display);

  // One gradient paint, off screen in this process.
  setenv("QT_QPA_PLATFORM", "offscreen", 1);
  ui::StartToolkit();
  Settings settings;
  Quorin05_P window(settings, folder.File("unused.ini"));
  window.Load();
  std::vector<double> paints;
  for (int i = 0; i < 200; ++i) {
    QResizeEvent resize(window.size(), window.size());
    const Clock::time_point start = Clock::now();
    QApplication::sendEvent(&window, &resize);
    paints.push_back(std::chrono::duration<double, std::micro>(Clock::now() - start).count());
  }
  std::printf("one full gradient paint of the window and its panel: median %.1f us\n",
              Median(paints));
  return 0;
}

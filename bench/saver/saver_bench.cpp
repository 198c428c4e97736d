// The screensaver run, measured on a private Xvfb with Mesa's software renderer.
//
// 1. Start to first frame: the time from starting "Veyora(Ra05).scr /s" to the
//    moment the X server first holds a non-black pixel in the window titled
//    Quorin05_VC (the renderer's first presented frame: the window is black until
//    a frame is swapped into it), beside the same for the renderer started on its
//    own; runs alternate, medians are printed.
// 2. The front end's cost during a run of N seconds (default 30) without music and
//    with a looping MP3 (sound to SDL's "disk" output into /dev/null): its CPU time
//    over the wall time from the renderer's window on, and its peak memory.
// 3. The time from the renderer's window going to the front end's end, which
//    stops the music first, without music and with a looping WAV file.
// 4. The time from SIGTERM to the front end to both programs gone, with music.
// 5. The CPU time of one look-up for the renderer's window, the work of each watch
//    tick, as a full search of the display and as the watch does it (the window
//    found before asked again), on the display as it is and with 100 more
//    top-level windows.
// Usage: saver_bench [seconds] [first-frame runs]
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <X11/keysym.h>
#include <fcntl.h>
#include <signal.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <memory>
#include <string>
#include <thread>
#include <vector>

#include "frontend/saver/renderer_window_look_up.h"
#include "platform/shared_names.h"
#include "platform/window_search.h"
#include "platform/x_connection.h"
#include "tests/frontend/music/support/test_audio.h"
#include "tests/support/child_process.h"
#include "tests/support/x_input.h"
#include "tests/support/x_wait.h"
#include "tests/support/xvfb_server.h"

using namespace veyora::frontend;

namespace {

using Clock = std::chrono::steady_clock;

constexpr int kScreenWidth = 800;
constexpr int kScreenHeight = 600;

double MillisecondsSince(Clock::time_point start) {
  return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

double Median(std::vector<double> values) {
  if (values.empty()) return 0;
  std::sort(values.begin(), values.end());
  return values[values.size() / 2];
}

bool HasNonBlackPixel(Display* display, Window window) {
  XWindowAttributes attributes{};
  if (!XGetWindowAttributes(display, window, &attributes) || attributes.map_state != IsViewable) {
    return false;
  }
  XImage* image =
      XGetImage(display, window, 0, 0, attributes.width, attributes.height, AllPlanes, ZPixmap);
  if (!image) return false;
  bool found = false;
  for (int y = 0; y < image->height && !found; ++y) {
    for (int x = 0; x < image->width && !found; ++x)
      found = (XGetPixel(image, x, y) & 0xFFFFFF) != 0;
  }
  XDestroyImage(image);
  return found;
}

struct StartTimes {
  double windowMs = -1;
  double firstFrameMs = -1;
};

double ThreadCpuSeconds() {
  timespec now{};
  clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
  return static_cast<double>(now.tv_sec) + static_cast<double>(now.tv_nsec) / 1e9;
}

class Bench {
 public:
  Bench() : server_(kScreenWidth, kScreenHeight) {
    display_ = XOpenDisplay(server_.Display().c_str());
    platform::TolerateXErrors();
    folder_ = (std::filesystem::temp_directory_path() / "veyora-saver-bench-XXXXXX").string();
    if (!mkdtemp(folder_.data())) folder_.clear();
    std::filesystem::copy_file(testsupport::FrontEndPath(), folder_ + "/" + names::kFrontEndFile);
    std::filesystem::copy_file(testsupport::RendererPath(), folder_ + "/" + names::kRendererFile);
  }
  ~Bench() {
    if (display_) XCloseDisplay(display_);
    std::filesystem::remove_all(folder_);
  }

  bool Ready() const { return display_ && !folder_.empty(); }

  std::unique_ptr<testsupport::ChildProcess> Start(const std::string& program,
                                                   const std::vector<std::string>& args) {
    return std::make_unique<testsupport::ChildProcess>(
        folder_ + "/" + program, args,
        std::map<std::string, std::string>{{"DISPLAY", server_.Display()},
                                           {"LIBGL_ALWAYS_SOFTWARE", "1"},
                                           {"SDL_AUDIODRIVER", "disk"},
                                           {"SDL_DISKAUDIOFILE", "/dev/null"}});
  }

  // Starts a program and times its renderer's window and first frame.
  StartTimes TimeStart(const std::string& program, const std::vector<std::string>& args,
                       std::unique_ptr<testsupport::ChildProcess>& started) {
    StartTimes times;
    const Clock::time_point start = Clock::now();
    started = Start(program, args);
    Window window = None;
    while (MillisecondsSince(start) < 20000) {
      if (window == None) {
        window = platform::FindTopLevelWindow(display_, names::kRendererTitle);
        if (window != None) times.windowMs = MillisecondsSince(start);
      }
      if (window != None && HasNonBlackPixel(display_, window)) {
        times.firstFrameMs = MillisecondsSince(start);
        break;
      }
      std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
    return times;
  }

  // Ends the renderer as a user does and waits for `program` to end.
  void EndByKey(testsupport::ChildProcess& program) {
    for (int attempt = 0; attempt < 5 && !program.WaitExit(0); ++attempt) {
      testsupport::TapKey(display_, XK_a);
      program.WaitExit(2000);
    }
    testsupport::WaitForWindowGone(display_, names::kRendererTitle, 5000);
  }

  void WriteSettings(int mode, const std::string& file) {
    std::ofstream(folder_ + "/" + names::kSettingsFile, std::ios::binary)
        << "[Section]\r\nBGM\x8B\xE6\x95\xAA= " << mode
        << "\r\nBGM\xD8\xCB\xDF\xB0\xC4= 0\r\nBGM\xCC\xA7\xB2\xD9=" << file << "\r\n";
  }

  std::string File(const std::string& name) const { return folder_ + "/" + name; }
  Display* display() const { return display_; }

 private:
  testsupport::XvfbServer server_;
  Display* display_ = nullptr;
  std::string folder_;
};

void MeasureFirstFrame(Bench& bench, int runs) {
  std::vector<double> saverWindow, saverFrame, aloneWindow, aloneFrame;
  for (int i = 0; i < runs; ++i) {
    std::unique_ptr<testsupport::ChildProcess> program;
    const StartTimes saver = bench.TimeStart(names::kFrontEndFile, {"/s"}, program);
    bench.EndByKey(*program);
    const StartTimes alone = bench.TimeStart(names::kRendererFile, {}, program);
    bench.EndByKey(*program);
    saverWindow.push_back(saver.windowMs);
    saverFrame.push_back(saver.firstFrameMs);
    aloneWindow.push_back(alone.windowMs);
    aloneFrame.push_back(alone.firstFrameMs);
  }
  std::printf("start to first frame (%d runs each, %dx%d, medians; -1 = not seen)\n", runs,
              kScreenWidth, kScreenHeight);
  std::printf("  front end /s:   window %.1f ms, first frame %.1f ms\n", Median(saverWindow),
              Median(saverFrame));
  std::printf("  renderer alone: window %.1f ms, first frame %.1f ms\n", Median(aloneWindow),
              Median(aloneFrame));
  std::printf("  added by the front end: %.1f ms\n", Median(saverFrame) - Median(aloneFrame));
}

void MeasureRunCost(Bench& bench, const char* label, int seconds) {
  auto program = bench.Start(names::kFrontEndFile, {"/s"});
  if (!testsupport::WaitForWindow(bench.display(), names::kRendererTitle, 20000)) {
    std::printf("  %s: the renderer's window never appeared\n", label);
    return;
  }
  const double cpuBefore = testsupport::ProcessCpuSeconds(program->Pid());
  const Clock::time_point start = Clock::now();
  std::this_thread::sleep_for(std::chrono::seconds(seconds));
  const double cpu = testsupport::ProcessCpuSeconds(program->Pid()) - cpuBefore;
  const double wall = MillisecondsSince(start) / 1000;
  const long peak = testsupport::ProcessStatusKiB(program->Pid(), "VmHWM");
  bench.EndByKey(*program);
  std::printf("  %-12s CPU %.3f s in %.1f s = %.3f %% of one core, peak memory %ld KiB\n", label,
              cpu, wall, 100 * cpu / wall, peak);
}

// Ends runs by a key and times the front end's end from the renderer window's.
void MeasureFollow(Bench& bench, const char* label, int runs) {
  std::vector<double> follow;
  for (int i = 0; i < runs; ++i) {
    auto program = bench.Start(names::kFrontEndFile, {"/s"});
    if (!testsupport::WaitForWindow(bench.display(), names::kRendererTitle, 20000)) continue;
    std::this_thread::sleep_for(std::chrono::milliseconds(500));  // the renderer takes the focus
    testsupport::TapKey(bench.display(), XK_a);
    if (!testsupport::WaitForWindowGone(bench.display(), names::kRendererTitle, 10000)) continue;
    const Clock::time_point gone = Clock::now();
    if (program->WaitExit(10000)) follow.push_back(MillisecondsSince(gone));
    bench.EndByKey(*program);
  }
  std::printf("  %-12s median %.1f ms, longest %.1f ms (%zu of %d runs)\n", label, Median(follow),
              follow.empty() ? 0.0 : *std::max_element(follow.begin(), follow.end()), follow.size(),
              runs);
}

// Ends runs by SIGTERM to the front end, as the system does, and times both
// programs' end.
void MeasureTermination(Bench& bench, int runs) {
  std::vector<double> ended;
  for (int i = 0; i < runs; ++i) {
    auto program = bench.Start(names::kFrontEndFile, {"/s"});
    if (!testsupport::WaitForWindow(bench.display(), names::kRendererTitle, 20000)) continue;
    std::this_thread::sleep_for(std::chrono::milliseconds(500));  // the music has started
    const Clock::time_point start = Clock::now();
    program->Signal(SIGTERM);
    if (program->WaitExit(10000) &&
        testsupport::WaitForWindowGone(bench.display(), names::kRendererTitle, 10000)) {
      ended.push_back(MillisecondsSince(start));
    }
  }
  std::printf("  median %.1f ms, longest %.1f ms (%zu of %d runs)\n", Median(ended),
              ended.empty() ? 0.0 : *std::max_element(ended.begin(), ended.end()), ended.size(),
              runs);
}

// CPU time per call of `lookUp`, in milliseconds.
template <class LookUp>
double CpuMillisecondsPerCall(LookUp&& lookUp) {
  constexpr int kCalls = 500;
  const double start = ThreadCpuSeconds();
  for (int i = 0; i < kCalls; ++i) lookUp();
  return (ThreadCpuSeconds() - start) * 1000 / kCalls;
}

void MeasureLookUp(Bench& bench) {
  Display* display = platform::SharedDisplay();
  if (!display) return;
  auto program = bench.Start(names::kFrontEndFile, {"/s"});
  testsupport::WaitForWindow(bench.display(), names::kRendererTitle, 20000);
  for (int extra : {0, 100}) {
    // Other windows stacked below the renderer's, where a search meets them first.
    std::vector<Window> windows;
    for (int i = 0; i < extra; ++i) {
      Window window =
          XCreateSimpleWindow(display, DefaultRootWindow(display), 0, 0, 10, 10, 0, 0, 0);
      XStoreName(display, window, ("other window " + std::to_string(i)).c_str());
      XLowerWindow(display, window);
      windows.push_back(window);
    }
    XSync(display, False);
    const double searchMs = CpuMillisecondsPerCall(
        [&] { platform::FindTopLevelWindow(display, names::kRendererTitle); });
    RendererWindowLookUp lookUp(display, names::kRendererTitle);
    const double watchMs = CpuMillisecondsPerCall([&] { lookUp.WindowPresent(); });
    std::printf(
        "  with %3d more top-level windows: full search %.3f ms CPU (%.3f %% of one core"
        " at 20 a second), the watch's look-up %.3f ms CPU (%.3f %%)\n",
        extra, searchMs, searchMs * 2, watchMs, watchMs * 2);
    for (Window window : windows) XDestroyWindow(display, window);
    XSync(display, False);
  }
  bench.EndByKey(*program);
}

}  // namespace

int main(int argc, char** argv) {
  const int seconds = argc > 1 ? std::max(1, atoi(argv[1])) : 30;
  const int runs = argc > 2 ? std::max(1, atoi(argv[2])) : 5;
  // The programs' diagnostics would only clutter the figures.
  const int quiet = open("/dev/null", O_WRONLY);
  if (quiet >= 0) dup2(quiet, STDERR_FILENO);

  Bench bench;
  if (!bench.Ready()) {
    std::printf("no virtual X server or temporary folder\n");
    return 1;
  }
  // The look-ups below go to the benchmark's display.
  setenv("DISPLAY", DisplayString(bench.display()), 1);

  MeasureFirstFrame(bench, runs);

  std::printf("front end during a %d-second run, from the renderer's window on\n", seconds);
  bench.WriteSettings(0, "");
  MeasureRunCost(bench, "no music:", seconds);
  if (musictest::WriteWav(bench.File("tone.wav"), musictest::Tone(440, 5.0)) &&
      musictest::EncodeMp3(bench.File("tone.wav"), bench.File("music.mp3"))) {
    bench.WriteSettings(2, bench.File("music.mp3"));
    MeasureRunCost(bench, "MP3 looping:", seconds);
  } else {
    std::printf("  MP3: could not encode one with lame\n");
  }

  std::printf("renderer window gone to front end gone\n");
  bench.WriteSettings(0, "");
  MeasureFollow(bench, "no music:", runs);
  if (musictest::WriteWav(bench.File("loop.wav"), musictest::Tone(440, 1.0))) {
    bench.WriteSettings(2, bench.File("loop.wav"));
    MeasureFollow(bench, "WAV looping:", runs);
  }

  std::printf("SIGTERM to the front end until both programs are gone (WAV looping)\n");
  MeasureTermination(bench, runs);

  std::printf("one look-up for the renderer's window (the watch's work every 50 ms)\n");
  MeasureLookUp(bench);
  return 0;
}

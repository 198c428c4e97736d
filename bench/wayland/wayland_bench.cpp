// Prints, for the screensaver started with /s on one 1280 x 720 output, the time from
// the start to the first frame shown there, and the renderer's CPU time per frame it
// presents: as a Wayland client of a headless sway, on XWayland under the same sway,
// and on X11 (Xvfb), three runs each; then natively on two outputs (XWayland under
// sway covers only one, Xvfb has one screen). Beside them, the bare program drawing
// the same picture (a replayed minute of the scene's sprites) as a Wayland client of
// the same sway, full screen on one output: the yardstick for what a frame costs
// there. Frames are counted by a library loaded into the program that draws; the
// first frame is seen on screenshots taken one after another, so it is late by up to
// one screenshot (grim's, or XGetImage's).
#include <X11/Xlib.h>
#include <signal.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <thread>
#include <vector>

#include "bench/renderer/scene_recording.h"
#include "tests/renderer/screen_pixels.h"
#include "tests/support/child_process.h"
#include "tests/support/sway_session.h"
#include "tests/support/temporary_folder.h"
#include "tests/support/x_wait.h"
#include "tests/support/xvfb_server.h"

namespace {

constexpr int kWidth = 1280;
constexpr int kHeight = 720;
constexpr int kRuns = 3;
constexpr double kWarmUpSeconds = 1.0;
constexpr double kSampleSeconds = 4.0;

using Clock = std::chrono::steady_clock;
// True once every output shows a frame of the renderer.
using FramesShown = std::function<bool()>;
using Launch = std::function<std::unique_ptr<testsupport::ChildProcess>(
    const std::map<std::string, std::string>&)>;
// The process whose frames and CPU are measured, given the one launched; 0 if none.
using Measured = std::function<pid_t(pid_t launched)>;

struct Figures {
  double firstFrameMs = -1;
  double cpuMsPerFrame = -1;
  double framesPerSecond = -1;
};

// The renderer process the front end `parent` started; 0 when there is none.
pid_t RendererOf(pid_t parent) {
  const std::vector<pid_t> renderers =
      testsupport::RunningProcessesOf(std::filesystem::canonical(testsupport::RendererPath()));
  for (pid_t child : testsupport::ChildrenOf(parent)) {
    if (std::find(renderers.begin(), renderers.end(), child) != renderers.end()) return child;
  }
  return 0;
}

long SwapCount(const std::string& file) {
  std::ifstream in(file);
  long count = 0;
  in >> count;
  return count;
}

void Sleep(double seconds) { std::this_thread::sleep_for(std::chrono::duration<double>(seconds)); }

Figures MeasureRun(const Launch& launch, const Measured& measured, const FramesShown& shown,
                   const std::string& countFile, const std::map<std::string, std::string>& env) {
  Figures figures;
  std::map<std::string, std::string> all = env;
  all["LD_PRELOAD"] = SWAP_COUNTER;
  all["VEYORA_SWAP_COUNT_FILE"] = countFile;
  const auto start = Clock::now();
  auto frontEnd = launch(all);
  if (!testsupport::WaitUntil(shown, 60000)) {
    frontEnd->Signal(SIGTERM);
    return figures;
  }
  figures.firstFrameMs = std::chrono::duration<double, std::milli>(Clock::now() - start).count();
  const pid_t drawing = measured(frontEnd->Pid());
  if (drawing == 0) std::fprintf(stderr, "no renderer process found\n");
  if (drawing != 0) {
    Sleep(kWarmUpSeconds);
    const double cpu = testsupport::ProcessCpuSeconds(drawing);
    const long frames = SwapCount(countFile);
    Sleep(kSampleSeconds);
    const double cpuUsed = testsupport::ProcessCpuSeconds(drawing) - cpu;
    const long framesDrawn = SwapCount(countFile) - frames;
    if (framesDrawn > 0) {
      figures.cpuMsPerFrame = cpuUsed * 1e3 / framesDrawn;
      figures.framesPerSecond = framesDrawn / kSampleSeconds;
    }
  }
  frontEnd->Signal(SIGTERM);
  frontEnd->WaitExit(10000);
  return figures;
}

void Report(const char* name, const std::vector<Figures>& runs) {
  std::printf("%-28s", name);
  for (const Figures& f : runs) {
    std::printf("  first frame %6.0f ms, %5.2f ms CPU/frame at %5.1f frames/s |", f.firstFrameMs,
                f.cpuMsPerFrame, f.framesPerSecond);
  }
  std::printf("\n");
}

// Runs of `program ARGS` in a headless sway, `measured` telling which process draws.
std::vector<Figures> MeasureInSway(const std::string& program, const std::vector<std::string>& args,
                                   const Measured& measured,
                                   const std::map<std::string, std::string>& env, int outputs) {
  std::vector<Figures> runs;
  for (int i = 0; i < kRuns; ++i) {
    testsupport::SwaySession session(outputs);
    if (!session.Running()) {
      std::fprintf(stderr, "sway does not start:\n%s\n", session.Log().c_str());
      return runs;
    }
    const std::string countFile = session.Home() + "/swaps";
    runs.push_back(MeasureRun(
        [&](const std::map<std::string, std::string>& all) {
          return session.Start(program, args, all);
        },
        measured,
        [&] {
          for (const std::string& output : session.Outputs()) {
            if (veyora::testing::BrightPixels(session.Screenshot(output).pixels) == 0) return false;
          }
          return true;
        },
        countFile, env));
  }
  return runs;
}

std::vector<Figures> MeasureInXvfb() {
  std::vector<Figures> runs;
  for (int i = 0; i < kRuns; ++i) {
    testsupport::XvfbServer server(kWidth, kHeight);
    Display* display = XOpenDisplay(server.Display().c_str());
    if (!display) {
      std::fprintf(stderr, "Xvfb does not start\n");
      return runs;
    }
    testsupport::TemporaryFolder folder;
    runs.push_back(MeasureRun(
        [&](const std::map<std::string, std::string>& all) {
          return std::make_unique<testsupport::ChildProcess>(testsupport::FrontEndPath(),
                                                             std::vector<std::string>{"/s"}, all);
        },
        RendererOf,
        [&] {
          return veyora::testing::BrightPixels(
                     veyora::testing::ScreenPixels(display, {0, 0, kWidth, kHeight})) > 0;
        },
        folder.File("swaps"), {{"DISPLAY", server.Display()}, {"LIBGL_ALWAYS_SOFTWARE", "1"}}));
    XCloseDisplay(display);
  }
  return runs;
}

// /s in a headless sway of this many outputs.
std::vector<Figures> MeasureSaverInSway(const std::map<std::string, std::string>& env,
                                        int outputs = 1) {
  return MeasureInSway(testsupport::FrontEndPath(), {"/s"}, RendererOf, env, outputs);
}

// The bare program full screen on one output of a headless sway, at the niceness
// the renderer gives itself.
std::vector<Figures> MeasureBareInSway() {
  const bench::SceneRecording recording(3600);
  return MeasureInSway(
      "/usr/bin/nice", {"-n", "10", BARE_GL_PROGRAM, "0", "0", recording.Path()},
      [](pid_t launched) { return launched; }, {{"SDL_VIDEODRIVER", "wayland"}}, 1);
}

}  // namespace

int main() {
  std::printf("/s on one %dx%d output, software OpenGL; %d runs each:\n", kWidth, kHeight, kRuns);
  Report("native Wayland (sway)", MeasureSaverInSway({}));
  Report("bare program, native Wayland", MeasureBareInSway());
  Report("XWayland (same sway)", MeasureSaverInSway({{"SDL_VIDEODRIVER", "x11"}}));
  Report("X11 (Xvfb)", MeasureInXvfb());
  std::printf("two %dx%d outputs, first frame on both, frames of both windows counted:\n", kWidth,
              kHeight);
  Report("native Wayland (sway)", MeasureSaverInSway({}, 2));
  return 0;
}

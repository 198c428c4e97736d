// Prints, for the renderer's full-screen run, the time from a monitor's arrival to
// the first frame drawn on it: on X11 (Xvfb, a RandR monitor set beside the first
// with xrandr) and on Wayland (a headless sway output made beside the first), five
// arrivals each, timed from the command that adds the monitor to the first screenshot
// with the glow on it (late by up to one screenshot). Then the run's CPU share over
// ten seconds of waiting with no monitor left: on Xvfb with its one output turned
// off, and on sway with its outputs as windows on a private Xvfb, the last closed.
#include <X11/Xlib.h>
#include <signal.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <memory>
#include <string>
#include <thread>
#include <vector>

#include "tests/renderer/screen_pixels.h"
#include "tests/support/child_process.h"
#include "tests/support/sway_session.h"
#include "tests/support/x_wait.h"
#include "tests/support/xvfb_server.h"

namespace {

constexpr int kArrivals = 5;
constexpr int kWaitMs = 60000;
// How long the run's CPU is counted while it waits with no monitor.
constexpr double kIdleSeconds = 10.0;

using Clock = std::chrono::steady_clock;

void Sleep(double seconds) { std::this_thread::sleep_for(std::chrono::duration<double>(seconds)); }

// Milliseconds from `arrive` until `drawn` holds; -1 when it never does.
double TimeToFirstFrame(const std::function<void()>& arrive, const std::function<bool()>& drawn) {
  const auto start = Clock::now();
  arrive();
  if (!testsupport::WaitUntil(drawn, kWaitMs, 1)) return -1;
  return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

void Report(const char* name, const std::vector<double>& ms) {
  std::printf("%-34s", name);
  for (double m : ms) std::printf(" %6.0f ms", m);
  std::printf("\n");
}

// Once the renderer, waiting with no monitor, has settled: prints its CPU share over
// kIdleSeconds, then ends it.
void ReportCpuWithNoMonitor(const char* label, testsupport::ChildProcess& renderer) {
  Sleep(1.0);
  const double cpu0 = testsupport::ProcessCpuSeconds(renderer.Pid());
  Sleep(kIdleSeconds);
  const double cpu = testsupport::ProcessCpuSeconds(renderer.Pid()) - cpu0;
  std::printf("%-34s %6.2f %% of a core over %.0f s (%s)\n", label, 100.0 * cpu / kIdleSeconds,
              kIdleSeconds, renderer.Running() ? "running" : "ended");
  renderer.Signal(SIGTERM);
  renderer.WaitExit(10000);
}

std::vector<double> MeasureX11() {
  std::vector<double> arrivals;
  testsupport::XvfbServer server(1280, 720);
  Display* display = XOpenDisplay(server.Display().c_str());
  if (!display) {
    std::fprintf(stderr, "Xvfb does not start\n");
    return arrivals;
  }
  const std::string xrandr = "DISPLAY=" + server.Display() + " xrandr ";
  const auto run = [&](const std::string& args) { return std::system((xrandr + args).c_str()); };
  run("--setmonitor VL 640/160x720/90+0+0 screen");
  testsupport::ChildProcess renderer(
      testsupport::RendererPath(), {},
      {{"DISPLAY", server.Display()}, {"LIBGL_ALWAYS_SOFTWARE", "1"}});
  constexpr platform::ScreenRect kLeft{0, 0, 640, 720}, kRight{640, 0, 1280, 720};
  const auto glowOn = [&](const platform::ScreenRect& rect) {
    return veyora::testing::BrightPixels(veyora::testing::ScreenPixels(display, rect)) > 0;
  };
  if (!testsupport::WaitUntil([&] { return glowOn(kLeft); }, kWaitMs, 50)) {
    std::fprintf(stderr, "the renderer shows nothing on X11\n");
    return arrivals;
  }
  for (int i = 0; i < kArrivals; ++i) {
    arrivals.push_back(TimeToFirstFrame([&] { run("--setmonitor VR 640/160x720/90+640+0 none"); },
                                        [&] { return glowOn(kRight); }));
    run("--delmonitor VR");
    testsupport::WaitUntil([&] { return !glowOn(kRight); }, kWaitMs, 50);
    Sleep(1.0);
  }
  // The monitor set on the server's one output gone and that output turned off
  // leave no monitor (xrandr then fails to shrink the screen, which does not matter).
  run("--delmonitor VL");
  run("--output screen --off 2>/dev/null");
  ReportCpuWithNoMonitor("X11, no monitor left, CPU", renderer);
  XCloseDisplay(display);
  return arrivals;
}

void MeasureSway() {
  testsupport::SwaySession session(1);
  if (!session.Running()) {
    std::fprintf(stderr, "sway does not start:\n%s\n", session.Log().c_str());
    return;
  }
  auto renderer = session.Start(testsupport::RendererPath(), {});
  const auto glowOn = [&](const std::string& output) {
    return veyora::testing::BrightPixels(session.Screenshot(output).pixels) > 0;
  };
  if (!testsupport::WaitUntil([&] { return glowOn("HEADLESS-1"); }, kWaitMs, 50)) {
    std::fprintf(stderr, "the renderer shows nothing on sway\n");
    return;
  }
  // Each arrival is a new output (HEADLESS-2, -3, ...).
  std::vector<double> arrivals;
  for (int i = 0; i < kArrivals; ++i) {
    const std::string output = "HEADLESS-" + std::to_string(i + 2);
    arrivals.push_back(TimeToFirstFrame([&] { session.Command("create_output"); },
                                        [&] { return glowOn(output); }));
    Sleep(1.0);
  }
  Report("sway create_output", arrivals);

  renderer->Signal(SIGTERM);
  renderer->WaitExit(10000);
}

void MeasureSwayWithoutOutputs() {
  testsupport::SwaySession session(1, testsupport::SwaySession::XWayland::Disabled,
                                   testsupport::SwaySession::OutputKind::XWindows);
  if (!session.Running()) {
    std::fprintf(stderr, "sway on X windows does not start:\n%s\n", session.Log().c_str());
    return;
  }
  auto renderer = session.Start(testsupport::RendererPath(), {});
  const auto glowOn = [&](const std::string& output) {
    return veyora::testing::BrightPixels(session.Screenshot(output).pixels) > 0;
  };
  if (!testsupport::WaitUntil([&] { return glowOn("X11-1"); }, kWaitMs, 50) ||
      !session.RemoveOutput("X11-1")) {
    std::fprintf(stderr, "the renderer shows nothing on sway's X window, or it stays\n");
    return;
  }
  ReportCpuWithNoMonitor("sway, no output left, CPU", *renderer);
}

}  // namespace

int main() {
  std::printf("monitor arrival to its first frame, software OpenGL, %d arrivals:\n", kArrivals);
  Report("X11 (Xvfb) xrandr --setmonitor", MeasureX11());
  MeasureSway();
  MeasureSwayWithoutOutputs();
  return 0;
}

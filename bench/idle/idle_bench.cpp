// Prints, for the idle watch (`Veyora(Ra05).scr --idle`) on X11 (a private Xvfb,
// the screen-saver extension), there again on KDE with stand-ins for logind and
// PowerDevil whose idle blocks it watches, and in a headless sway
// (org_kde_kwin_idle, or ext-idle-notify-v1 where sway offers it):
// 1. its CPU time over N seconds of waiting (default 60) with the default delay,
//    as a share of one core, how often its threads woke, and its resident memory
//    (now and at its peak);
// 2. the time from the idle event (the last key plus the delay, 2 s here) to the
//    renderer's first presented frame (its first SDL_GL_SwapWindow, noted by a
//    library loaded into it), over several runs (default 5), each ended by keys.
// Usage: idle_bench [seconds] [runs]
#include <X11/Xlib.h>
#include <X11/keysym.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <memory>
#include <string>
#include <thread>
#include <vector>

#include "platform/shared_names.h"
#include "tests/support/child_process.h"
#include "tests/support/logind_stand_in.h"
#include "tests/support/private_bus.h"
#include "tests/support/sway_session.h"
#include "tests/support/temporary_folder.h"
#include "tests/support/test_pointer.h"
#include "tests/support/x_input.h"
#include "tests/support/x_wait.h"
#include "tests/support/xvfb_server.h"

namespace {

using Clock = std::chrono::steady_clock;
using testsupport::ChildProcess;

constexpr auto kDelay = std::chrono::seconds(2);
constexpr char kPolicyAgent[] = "org.kde.Solid.PowerManagement.PolicyAgent";

// The process's time on a CPU so far, every thread together, and how often its
// threads have gone to sleep (each a wake-up later).
struct CpuUse {
  double seconds = 0;
  long sleeps = 0;
};
CpuUse ProcessCpu(pid_t pid) {
  CpuUse use;
  std::error_code error;
  for (const auto& task :
       std::filesystem::directory_iterator("/proc/" + std::to_string(pid) + "/task", error)) {
    std::ifstream schedstat(task.path() / "schedstat");
    long long nanoseconds = 0;
    if (schedstat >> nanoseconds) use.seconds += static_cast<double>(nanoseconds) / 1e9;
    std::ifstream status(task.path() / "status");
    for (std::string line; std::getline(status, line);) {
      if (line.starts_with("voluntary_ctxt_switches:")) use.sleeps += std::atol(line.c_str() + 24);
    }
  }
  return use;
}

double Median(std::vector<double> values) {
  if (values.empty()) return -1;
  std::sort(values.begin(), values.end());
  return values[values.size() / 2];
}

// One desktop to measure on: how to start the watch there, press a key, and tell
// whether a run's renderer is still up.
struct Desktop {
  std::string name;
  std::function<std::unique_ptr<ChildProcess>(const std::vector<std::string>& args,
                                              const std::map<std::string, std::string>& env)>
      startWatch;
  std::function<void()> pressKey;
  std::string folder;  // writable by the watch
};

void MeasureWaiting(const Desktop& desktop, int seconds) {
  auto watch = desktop.startWatch({"--idle"}, {});
  std::this_thread::sleep_for(std::chrono::seconds(2));  // past its start
  const CpuUse before = ProcessCpu(watch->Pid());
  const Clock::time_point start = Clock::now();
  std::this_thread::sleep_for(std::chrono::seconds(seconds));
  const CpuUse after = ProcessCpu(watch->Pid());
  const double cpu = after.seconds - before.seconds;
  const double wall = std::chrono::duration<double>(Clock::now() - start).count();
  std::printf(
      "  waiting %d s: CPU %.6f s = %.5f %% of a core, %ld wake-ups;"
      " resident %ld KiB (peak %ld KiB)%s\n",
      seconds, cpu, 100 * cpu / wall, after.sleeps - before.sleeps,
      testsupport::ProcessStatusKiB(watch->Pid(), "VmRSS"),
      testsupport::ProcessStatusKiB(watch->Pid(), "VmHWM"),
      watch->Running() ? "" : " (the watch had ended!)");
}

void MeasureIdleToFirstFrame(const Desktop& desktop, int runs) {
  const std::string swaps = desktop.folder + "/swaps";
  std::filesystem::remove(swaps);
  auto watch =
      desktop.startWatch({"--idle", std::to_string(kDelay.count()) + "s"},
                         {{"LD_PRELOAD", SWAP_COUNTER}, {"VEYORA_SWAP_COUNT_FILE", swaps}});
  std::vector<double> figures;
  for (int run = 0; run < runs; ++run) {
    desktop.pressKey();
    const Clock::time_point idleEvent = Clock::now() + kDelay;
    if (!testsupport::WaitUntil([&] { return std::filesystem::exists(swaps); }, 60000)) break;
    figures.push_back(std::chrono::duration<double, std::milli>(Clock::now() - idleEvent).count());
    // Keys end the run; the watch's next idle period begins with the last of them.
    // The renderer writes the file after every frame, so once it stays away the run is over.
    testsupport::WaitUntil(
        [&] {
          std::filesystem::remove(swaps);
          desktop.pressKey();
          std::this_thread::sleep_for(std::chrono::milliseconds(300));
          return !std::filesystem::exists(swaps);
        },
        60000);
  }
  std::sort(figures.begin(), figures.end());
  std::printf(
      "  idle event to first frame (%zu runs, delay %llds): median %.0f ms, min %.0f, max %.0f\n",
      figures.size(), static_cast<long long>(kDelay.count()), Median(figures),
      figures.empty() ? -1 : figures.front(), figures.empty() ? -1 : figures.back());
}

void Measure(const Desktop& desktop, int seconds, int runs) {
  std::printf("%s\n", desktop.name.c_str());
  MeasureWaiting(desktop, seconds);
  MeasureIdleToFirstFrame(desktop, runs);
}

}  // namespace

int main(int argc, char** argv) {
  const int seconds = argc > 1 ? std::atoi(argv[1]) : 60;
  const int runs = argc > 2 ? std::atoi(argv[2]) : 5;

  {
    testsupport::XvfbServer server(1280, 720);
    testsupport::TemporaryFolder folder;
    Display* display = XOpenDisplay(server.Display().c_str());
    if (!display) {
      std::fprintf(stderr, "no X server\n");
      return 1;
    }
    // The watch on this server, with these further variables.
    const auto onX = [&](const std::string& name, const std::map<std::string, std::string>& more) {
      return Desktop{name,
                     [&, more](const std::vector<std::string>& args,
                               const std::map<std::string, std::string>& env) {
                       std::map<std::string, std::string> all = {
                           {"DISPLAY", server.Display()},
                           {"WAYLAND_DISPLAY", ""},
                           {"DBUS_SESSION_BUS_ADDRESS", "unix:path=/nonexistent"},
                           {"LIBGL_ALWAYS_SOFTWARE", "1"},
                           {"SDL_AUDIODRIVER", "dummy"}};
                       for (const auto& [variable, value] : more) all[variable] = value;
                       all.insert(env.begin(), env.end());
                       return std::make_unique<ChildProcess>(testsupport::FrontEndPath(), args,
                                                             all);
                     },
                     [&] { testsupport::TapKey(display, XK_a); }, folder.Path()};
    };
    Measure(onX("X11 (Xvfb 1280x720, MIT-SCREEN-SAVER)", {}), seconds, runs);

    // The same with the desktop's idle chain to live with: logind's idle blocks
    // asked on every idle period, KDE's PowerDevil followed for its changes.
    testsupport::PrivateBus systemBus(testsupport::PrivateBus::Kind::System, folder.Path());
    testsupport::PrivateBus sessionBus(testsupport::PrivateBus::Kind::Session, folder.Path());
    testsupport::LogindStandIn logind(systemBus, getuid());
    testsupport::MockService powerDevil(sessionBus, false, kPolicyAgent,
                                        "/org/kde/Solid/PowerManagement/PolicyAgent", kPolicyAgent);
    if (!logind.Running() || !powerDevil.Running() ||
        !powerDevil.AddMethod("HasInhibition", "u", "b", "ret = False")) {
      std::fprintf(stderr, "no logind or PowerDevil stand-in\n");
      return 1;
    }
    Measure(onX("X11 on KDE with logind and PowerDevil (stand-ins), idle blocks watched",
                {{"DBUS_SYSTEM_BUS_ADDRESS", systemBus.Address()},
                 {"DBUS_SESSION_BUS_ADDRESS", sessionBus.Address()},
                 {"XDG_SESSION_ID", testsupport::LogindStandIn::kSessionId},
                 {"XDG_CURRENT_DESKTOP", "KDE"},
                 {"XDG_CONFIG_HOME", folder.File("config")}}),
            seconds, runs);
    XCloseDisplay(display);
  }

  testsupport::SwaySession sway(1);
  if (!sway.Running()) {
    std::fprintf(stderr, "no headless sway: %s\n", sway.Log().c_str());
    return 1;
  }
  // A keyboard on the seat, so that the renderer's windows get the keys.
  testsupport::TestPointer devices(sway);
  if (!devices.Ready() || !devices.AddKeyboard()) {
    std::fprintf(stderr, "no input devices in sway\n");
    return 1;
  }
  const Desktop wayland{
      "Wayland (headless sway 1280x720, the compositor's idle protocol)",
      [&](const std::vector<std::string>& args, const std::map<std::string, std::string>& env) {
        std::map<std::string, std::string> all = {{"SDL_AUDIODRIVER", "dummy"}};
        all.insert(env.begin(), env.end());
        return sway.Start(testsupport::FrontEndPath(), args, all);
      },
      [&] { sway.TypeKey(); }, sway.Home()};
  Measure(wayland, seconds, runs);
}

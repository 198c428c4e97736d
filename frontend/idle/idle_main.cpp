#include "frontend/idle/idle_main.h"

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <memory>
#include <system_error>

#include <QCoreApplication>

#include "frontend/idle/autostart_entry.h"
#include "frontend/idle/autostart_template.h"
#include "frontend/idle/idle_command.h"
#include "frontend/idle/idle_source_kind.h"
#include "frontend/idle/idle_watch.h"
#include "frontend/idle/sources/gnome_idle_source.h"
#include "frontend/idle/sources/wayland_idle_source.h"
#include "frontend/idle/sources/x11_screen_saver_idle_source.h"
#include "frontend/system/failure_report.h"
#include "frontend/system/file_replacement.h"
#include "frontend/system/program_files.h"
#include "platform/shared_names.h"

namespace veyora::frontend {

namespace {

constexpr char kAutostartFile[] = "veyora-screensaver-idle.desktop";

// The launcher in bin when the programs are installed; the front end itself
// when they run from the build folder.
std::string LauncherPath() {
  std::error_code error;
  const auto launcher =
      std::filesystem::canonical(FileNextToProgram(VEYORA_LAUNCHER_FROM_PROGRAMS), error);
  return error ? FileNextToProgram(names::kFrontEndFile) : launcher.string();
}

int WriteAutostartEntry(std::chrono::seconds delay) {
  const std::string folder = AutostartFolder(std::getenv("XDG_CONFIG_HOME"), std::getenv("HOME"));
  if (folder.empty()) {
    ReportFailure("cannot tell where the autostart folder is: set HOME");
    return 1;
  }
  const std::string path = folder + "/" + kAutostartFile;
  std::error_code error;
  std::filesystem::create_directories(folder, error);
  if (!ReplaceFile(path, AutostartEntry(kAutostartTemplate, LauncherPath(), delay))) {
    ReportFailure("cannot write " + path + ": " + std::strerror(errno));
    return 1;
  }
  std::printf("wrote %s: the screensaver starts after %s of idle time from the next session on\n",
              path.c_str(), IdleDelayForPeople(delay).c_str());
  return 0;
}

// Names the source the watch takes its idle time from, and the delay.
void AnnounceIdleSource(IdleSourceKind kind, std::chrono::milliseconds delay) {
  std::fprintf(stderr, "%s: idle time from %s; the screensaver starts after %s of it\n",
               program_invocation_short_name, IdleSourceName(kind),
               IdleDelayForPeople(std::chrono::duration_cast<std::chrono::seconds>(delay)).c_str());
}

// The source the session offers first, ready to watch; null when it offers none.
// Each kind is looked for only when the ones before it are missing.
std::unique_ptr<IdleSource> OpenIdleSource(std::chrono::milliseconds delay) {
  // Without WAYLAND_DISPLAY this is no Wayland session.
  const char* waylandDisplay = std::getenv("WAYLAND_DISPLAY");
  if (waylandDisplay && *waylandDisplay) {
    if (auto wayland = WaylandIdleSource::Connect()) {
      const bool idleNotify = wayland->OffersIdleNotify();
      if (idleNotify || wayland->OffersKdeIdle()) {
        AnnounceIdleSource(
            idleNotify ? IdleSourceKind::WaylandIdleNotify : IdleSourceKind::WaylandKdeIdle, delay);
        wayland->Watch(idleNotify, delay);
        return wayland;
      }
    }
  }
  if (GnomeIdleSource::Present()) {
    AnnounceIdleSource(IdleSourceKind::GnomeIdleMonitor, delay);
    return std::make_unique<GnomeIdleSource>(delay);
  }
  if (auto x = X11ScreenSaverIdleSource::Open(delay)) {
    AnnounceIdleSource(IdleSourceKind::X11ScreenSaver, delay);
    x->Watch();
    return x;
  }
  return nullptr;
}

}  // namespace

int RunIdleCommand(const std::vector<std::string>& arguments) {
  const auto parsed = ParseIdleCommand(arguments);
  if (const auto* problem = std::get_if<std::string>(&parsed)) {
    ReportFailure(*problem);
    return 2;
  }
  const IdleCommand& command = std::get<IdleCommand>(parsed);
  if (command.autostart) return WriteAutostartEntry(command.delay);

  int argc = 1;
  char name[] = "veyora-screensaver";
  char* argv[] = {name, nullptr};
  QCoreApplication application(argc, argv);
  std::unique_ptr<IdleSource> source = OpenIdleSource(command.delay);
  if (!source) {
    ReportFailure(
        "no idle time to watch in this session: no Wayland idle protocol, no GNOME idle monitor, "
        "no X server with the screen-saver extension");
    return 1;
  }
  IdleWatch watch(*source, command.delay, FileNextToProgram(names::kFrontEndFile));
  if (!watch.CatchSignals()) {
    ReportFailure("cannot catch the signals that end the idle watch");
    return 1;
  }
  return QCoreApplication::exec();
}

}  // namespace veyora::frontend

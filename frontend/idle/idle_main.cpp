#include "frontend/idle/idle_main.h"

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <memory>
#include <optional>
#include <system_error>

#include <QCoreApplication>

#include "frontend/desktop/desktop_idle_chain_reader.h"
#include "frontend/desktop/desktop_kind.h"
#include "frontend/desktop/idle_blocks.h"
#include "frontend/idle/autostart_entry.h"
#include "frontend/idle/autostart_template.h"
#include "frontend/idle/idle_command.h"
#include "frontend/idle/idle_delay_choice.h"
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

// When the desktop blanks or locks by itself: GNOME and KDE say so in their
// settings, elsewhere the idle source may know (the X server's saver).
std::optional<DesktopIdleChain> CurrentIdleChain(DesktopKind desktop, IdleSource* source) {
  if (desktop != DesktopKind::Other) return ReadDesktopIdleChain(desktop);
  return source ? source->OwnIdleChain() : std::nullopt;
}

// The line about a delay given that the desktop's own blank or lock comes before.
void TellNotice(const IdleDelayChoice& choice) {
  if (!choice.notice.empty()) {
    std::fprintf(stderr, "%s: %s\n", program_invocation_short_name, choice.notice.c_str());
  }
}

// "4 min of idle time, before GNOME blanks the screen and locks it (after 5 min)"
std::string DelayText(const IdleDelayChoice& choice, const char* ofWhat) {
  std::string text = IdleDelayForPeople(choice.delay) + " " + ofWhat;
  if (!choice.basis.empty()) text += ", " + choice.basis;
  return text;
}

int WriteAutostartEntry(std::optional<std::chrono::seconds> delay) {
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
  // What the desktop does now; on other X11 desktops the X server tells.
  const DesktopKind desktop = DesktopOfThisSession();
  const auto x =
      desktop == DesktopKind::Other ? X11ScreenSaverIdleSource::Open(kDefaultIdleDelay) : nullptr;
  const IdleDelayChoice choice = ChooseIdleDelay(delay, CurrentIdleChain(desktop, x.get()));
  std::printf("wrote %s: from the next session on the screensaver starts after %s\n", path.c_str(),
              DelayText(choice, "of idle time").c_str());
  TellNotice(choice);
  return 0;
}

// Names the source the watch takes its idle time from, and the delay.
void AnnounceIdleSource(IdleSourceKind kind, const IdleDelayChoice& choice) {
  std::fprintf(stderr, "%s: idle time from %s; the screensaver starts after %s\n",
               program_invocation_short_name, IdleSourceName(kind),
               DelayText(choice, "of it").c_str());
  TellNotice(choice);
}

// The source the session offers first, ready to watch with the delay `given` or
// the one the desktop's own leads to; null when it offers none. Each kind is
// looked for only when the ones before it are missing.
std::unique_ptr<IdleSource> OpenIdleSource(std::optional<std::chrono::seconds> given,
                                           DesktopKind desktop, IdleDelayChoice& choice) {
  choice = ChooseIdleDelay(given, CurrentIdleChain(desktop, nullptr));
  // Without WAYLAND_DISPLAY this is no Wayland session.
  const char* waylandDisplay = std::getenv("WAYLAND_DISPLAY");
  if (waylandDisplay && *waylandDisplay) {
    if (auto wayland = WaylandIdleSource::Connect()) {
      const bool idleNotify = wayland->OffersIdleNotify();
      if (idleNotify || wayland->OffersKdeIdle()) {
        AnnounceIdleSource(
            idleNotify ? IdleSourceKind::WaylandIdleNotify : IdleSourceKind::WaylandKdeIdle,
            choice);
        wayland->Watch(idleNotify, choice.delay);
        return wayland;
      }
    }
  }
  if (GnomeIdleSource::Present()) {
    AnnounceIdleSource(IdleSourceKind::GnomeIdleMonitor, choice);
    return std::make_unique<GnomeIdleSource>(choice.delay);
  }
  if (auto x = X11ScreenSaverIdleSource::Open(choice.delay)) {
    choice = ChooseIdleDelay(given, CurrentIdleChain(desktop, x.get()));
    x->SetDelay(choice.delay);
    AnnounceIdleSource(IdleSourceKind::X11ScreenSaver, choice);
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
  int argc = 1;
  char name[] = "veyora-screensaver";
  char* argv[] = {name, nullptr};
  QCoreApplication application(argc, argv);
  if (command.autostart) return WriteAutostartEntry(command.delay);

  const DesktopKind desktop = DesktopOfThisSession();
  IdleDelayChoice choice;
  std::unique_ptr<IdleSource> source = OpenIdleSource(command.delay, desktop, choice);
  if (!source) {
    ReportFailure(
        "no idle time to watch in this session: no Wayland idle protocol, no GNOME idle monitor, "
        "no X server with the screen-saver extension");
    return 1;
  }
  IdleBlocks blocks(desktop);
  IdleWatch watch(*source, blocks, choice.delay, FileNextToProgram(names::kFrontEndFile));
  // The desktop's setting, read again as each idle period begins.
  watch.nextDelay = [&, given = command.delay, last = choice]() mutable {
    const IdleDelayChoice now = ChooseIdleDelay(given, CurrentIdleChain(desktop, source.get()));
    if (now != last) {
      std::fprintf(stderr,
                   "%s: the desktop's idle delay changed; the screensaver starts after %s\n",
                   program_invocation_short_name, DelayText(now, "of idle time").c_str());
      TellNotice(now);
      last = now;
    }
    return std::chrono::milliseconds(now.delay);
  };
  if (!watch.CatchSignals()) {
    ReportFailure("cannot catch the signals that end the idle watch");
    return 1;
  }
  return QCoreApplication::exec();
}

}  // namespace veyora::frontend

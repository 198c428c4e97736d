#include "tests/support/kwin_session.h"

#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>

#include "tests/support/x_wait.h"

namespace testsupport {

namespace {

constexpr int kStartMs = 90000;
constexpr char kSocket[] = "wayland-veyora";
constexpr char kSessionFile[] = "session-names";
constexpr char kScreenSaver[] = "org.freedesktop.ScreenSaver";
constexpr char kScreenSaverPath[] = "/ScreenSaver";

}  // namespace

KWinSession::KWinSession()
    : systemBus_(PrivateBus::Kind::System, folder_.Path()),
      sessionBus_(PrivateBus::Kind::Session, runtime_, SessionBusEnvironment(),
                  [user = User()] { BecomeUser(user); }),
      logind_(systemBus_, User().uid) {
  if (!sessionBus_.Running() || !logind_.Running()) return;
  // Debian's kwin_wayland carries a file capability, which a container refuses to
  // grant: a copy without it runs as any other program.
  const std::string kwin = folder_.File("kwin_wayland");
  std::error_code error;
  std::filesystem::copy_file("/usr/bin/kwin_wayland", kwin, error);
  if (error || chmod(kwin.c_str(), 0755) != 0) return;
  std::vector<std::string> environment;
  for (const auto& [name, value] : SessionVariables()) environment.push_back(name + "=" + value);
  // KWin names its XWayland display only to the programs it starts.
  const std::string names = runtime_ + "/" + kSessionFile;
  StartCompositor(
      {kwin, "--virtual", "--xwayland", "--socket", kSocket, "--width",
       std::to_string(kOutputWidth), "--height", std::to_string(kOutputHeight),
       "sh -c 'printenv DISPLAY > " + names + ".new && mv " + names + ".new " + names + "'"},
      environment);
  SetRunning(WaitForStart());
}

bool KWinSession::WaitForStart() {
  const std::string names = runtime_ + "/" + kSessionFile;
  if (!WaitUntil([&] { return access(names.c_str(), R_OK) == 0 || !CompositorRunning(); }, kStartMs,
                 50) ||
      !CompositorRunning()) {
    return false;
  }
  std::ifstream lines(names);
  std::string x;
  if (!std::getline(lines, x)) return false;
  SetDisplays(kSocket, x, SessionVariables());
  // The locker's service comes up with KWin.
  return WaitUntil([&] { return Locked().has_value(); }, kStartMs, 100);
}

std::map<std::string, std::string> KWinSession::SessionVariables() const {
  return {{"DBUS_SESSION_BUS_ADDRESS", sessionBus_.Address()},
          {"DBUS_SYSTEM_BUS_ADDRESS", systemBus_.Address()},
          {"XDG_SESSION_ID", LogindStandIn::kSessionId},
          {"XDG_CURRENT_DESKTOP", "KDE"},
          {"KDE_FULL_SESSION", "true"},
          {"XDG_SESSION_TYPE", "wayland"}};
}

bool KWinSession::Lock() const {
  return sessionBus_.Call(kScreenSaver, kScreenSaverPath, "org.freedesktop.ScreenSaver.Lock")
      .Succeeded();
}

std::optional<bool> KWinSession::Locked() const {
  const CapturedRun run =
      sessionBus_.Call(kScreenSaver, kScreenSaverPath, "org.freedesktop.ScreenSaver.GetActive");
  if (!run.Succeeded()) return std::nullopt;
  return run.output.find("true") != std::string::npos;
}

}  // namespace testsupport

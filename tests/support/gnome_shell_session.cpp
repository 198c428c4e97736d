#include "tests/support/gnome_shell_session.h"

#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <regex>

#include "tests/support/x_wait.h"

namespace testsupport {

namespace {

// A headless shell at times never answers on the session bus after its start; one
// that has not settled by then is started again.
constexpr int kStartMs = 60000;
constexpr int kStartAttempts = 3;
// How long asking whether the overview is shown waits for the shell's answer.
constexpr int kOverviewAnswerSeconds = 10;
constexpr char kShell[] = "org.gnome.Shell";
constexpr char kShellPath[] = "/org/gnome/Shell";
constexpr char kProperties[] = "org.freedesktop.DBus.Properties";

}  // namespace

GnomeShellSession::GnomeShellSession(XWayland xwayland, int monitors)
    : xwayland_(xwayland),
      systemBus_(PrivateBus::Kind::System, folder_.Path()),
      sessionBus_(PrivateBus::Kind::Session, runtime_, SessionBusEnvironment(),
                  [user = User()] { BecomeUser(user); }),
      logind_(systemBus_, User().uid),
      displayManager_(systemBus_, true, "org.gnome.DisplayManager",
                      "/org/gnome/DisplayManager/Manager", "org.gnome.DisplayManager.Manager") {
  // The shell makes its lock screen only under a display manager it knows.
  if (!sessionBus_.Running() || !logind_.Running() || !displayManager_.Running() ||
      !displayManager_.AddProperty("Version", "<'43.0'>") ||
      !displayManager_.AddMethod("RegisterSession", "a{sv}", "", "")) {
    return;
  }
  std::vector<std::string> environment;
  for (const auto& [name, value] : SessionVariables()) environment.push_back(name + "=" + value);
  std::vector<std::string> command = {"gnome-shell", "--headless", "--wayland", "--wayland-display",
                                      WaylandName()};
  for (int monitor = 0; monitor < monitors; ++monitor) {
    command.push_back("--virtual-monitor");
    command.push_back(std::to_string(kOutputWidth) + "x" + std::to_string(kOutputHeight));
  }
  if (xwayland_ == XWayland::Disabled) command.push_back("--no-x11");
  for (int attempt = 0; attempt < kStartAttempts && !Running(); ++attempt) {
    StopCompositor();
    StartCompositor(command, environment);
    SetRunning(WaitForStart());
  }
}

bool GnomeShellSession::WaitForStart() {
  // mutter names its XWayland display only in its log; the shell has settled once it
  // shows the overview, as after log-in.
  const std::regex listening("Using public X11 display (:[0-9]+)");
  const bool withX = xwayland_ == XWayland::Enabled;
  std::smatch found;
  std::string log;
  const bool started = WaitUntil(
      [&] {
        log = Log();
        return ((!withX || std::regex_search(log, found, listening)) && OverviewShown() == true) ||
               !CompositorRunning();
      },
      kStartMs, 100);
  if (!started || !CompositorRunning()) return false;
  if (!withX) {
    SetDisplays(WaylandName(), "", SessionVariables());
    return true;
  }
  // XWayland lets in only the clients that show mutter's cookie, kept in the
  // runtime folder.
  std::map<std::string, std::string> variables = SessionVariables();
  std::error_code error;
  for (const auto& entry : std::filesystem::directory_iterator(runtime_, error)) {
    if (entry.path().filename().string().starts_with(".mutter-Xwaylandauth.")) {
      variables["XAUTHORITY"] = entry.path().string();
    }
  }
  SetDisplays(WaylandName(), found[1].str(), variables);
  return true;
}

std::string GnomeShellSession::WaylandName() const {
  return "wayland-veyora-" + std::to_string(getpid());
}

std::map<std::string, std::string> GnomeShellSession::SessionVariables() const {
  return {{"DBUS_SESSION_BUS_ADDRESS", sessionBus_.Address()},
          {"DBUS_SYSTEM_BUS_ADDRESS", systemBus_.Address()},
          {"XDG_SESSION_ID", LogindStandIn::kSessionId},
          {"XDG_CURRENT_DESKTOP", "GNOME"},
          {"XDG_SESSION_TYPE", "wayland"}};
}

std::optional<bool> GnomeShellSession::OverviewShown() const {
  const CapturedRun run = sessionBus_.Call(kShell, kShellPath, std::string(kProperties) + ".Get",
                                           {kShell, "OverviewActive"}, kOverviewAnswerSeconds);
  if (!run.Succeeded()) return std::nullopt;
  return run.output.find("true") != std::string::npos;
}

bool GnomeShellSession::ShowOverview(bool shown) const {
  return sessionBus_
      .Call(kShell, kShellPath, std::string(kProperties) + ".Set",
            {kShell, "OverviewActive", shown ? "<true>" : "<false>"})
      .Succeeded();
}

bool GnomeShellSession::ShowApplications() const { return Tool({"show-applications"}).Succeeded(); }

bool GnomeShellSession::UseMonitors(int count) const {
  return Tool({"monitors", std::to_string(count)}).Succeeded();
}

bool GnomeShellSession::Lock() const {
  return sessionBus_
      .Call("org.gnome.ScreenSaver", "/org/gnome/ScreenSaver", "org.gnome.ScreenSaver.Lock")
      .Succeeded();
}

std::optional<bool> GnomeShellSession::Locked() const {
  const CapturedRun run = sessionBus_.Call("org.gnome.ScreenSaver", "/org/gnome/ScreenSaver",
                                           "org.gnome.ScreenSaver.GetActive");
  if (!run.Succeeded()) return std::nullopt;
  return run.output.find("true") != std::string::npos;
}

Picture GnomeShellSession::Screenshot() const {
  const std::string shot = Home() + "/screenshot.png";
  unlink(shot.c_str());
  if (!Tool({"screenshot", shot}).Succeeded()) return {};
  const CapturedRun converted = RunToEnd("convert", {shot, "ppm:-"});
  return converted.Succeeded() ? ParsePpm(converted.output) : Picture{};
}

bool GnomeShellSession::TypeKeys(const std::vector<unsigned>& keysyms) const {
  std::vector<std::string> args = {"keys"};
  for (unsigned keysym : keysyms) {
    char hex[16];
    std::snprintf(hex, sizeof hex, "0x%x", keysym);
    args.push_back(hex);
  }
  return Tool(args).Succeeded();
}

bool GnomeShellSession::MovePointer(double dx, double dy) const {
  return Tool({"motion", std::to_string(dx), std::to_string(dy)}).Succeeded();
}

CapturedRun GnomeShellSession::Tool(const std::vector<std::string>& args) const {
  std::vector<std::string> all = {VEYORA_GNOME_SHELL_TOOL};
  all.insert(all.end(), args.begin(), args.end());
  return Run("/usr/bin/python3", all);
}

}  // namespace testsupport

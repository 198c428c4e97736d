// The idle watch of the real front end: on a private X server through the
// screen-saver extension, and through a stand-in for GNOME's idle monitor on a
// private session bus.
#include "tests/frontend/saver/saver_session.h"

#include <X11/extensions/scrnsaver.h>
#include <fcntl.h>
#include <signal.h>
#include <unistd.h>

#include <filesystem>

#include "platform/shared_names.h"
#include "tests/support/captured_run.h"
#include "tests/support/x_wait.h"

namespace {

using testsupport::ChildProcess;
using testsupport::ReadBytes;
using testsupport::RunToEnd;
using testsupport::WaitUntil;

constexpr int kDeadlineMs = 60000;

class IdleWatchTest : public savertest::SaverSession {
 protected:
  // The front end's idle watch with its standard error in a file, in a session
  // without a Wayland compositor and, unless `environment` gives one, without a
  // session bus.
  std::unique_ptr<ChildProcess> StartWatch(
      const std::vector<std::string>& args,
      const std::map<std::string, std::string>& environment = {}) {
    auto session = SessionEnvironment();
    session["WAYLAND_DISPLAY"] = "";
    session["DBUS_SESSION_BUS_ADDRESS"] = "unix:path=" + File("no-bus");
    for (const auto& [name, value] : environment) session[name] = value;
    const std::string log = File("watch.log");
    return std::make_unique<ChildProcess>(File(names::kFrontEndFile), args, session, [log] {
      const int fd = open(log.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
      if (fd >= 0) dup2(fd, STDERR_FILENO);
    });
  }

  std::string WatchLog() const { return ReadBytes(File("watch.log")); }
  bool WatchStarted() const {
    return WaitUntil([&] { return WatchLog().find("idle time from") != std::string::npos; },
                     kDeadlineMs);
  }
  bool RendererGone() {
    return testsupport::WaitForWindowGone(display_, names::kRendererTitle, kDeadlineMs);
  }
  bool NoRunFor(int ms) {
    return testsupport::WaitForWindow(display_, names::kRendererTitle, ms) == None;
  }
};

TEST_F(IdleWatchTest, OnXIdleStartsARunAKeyEndsItAndTheNextIdlePeriodStartsAnother) {
  auto watch = StartWatch({"--idle", "2s"});
  ASSERT_NE(WaitForRenderer(), None) << WatchLog();
  EXPECT_NE(WatchLog().find("MIT-SCREEN-SAVER"), std::string::npos) << WatchLog();
  PressKey();
  ASSERT_TRUE(RendererGone());
  ASSERT_NE(WaitForRenderer(), None);

  // The watch ends on SIGTERM, and its run with it.
  watch->Signal(SIGTERM);
  EXPECT_EQ(watch->WaitExit(kDeadlineMs), 0);
  EXPECT_TRUE(RendererGone());
  EXPECT_TRUE(WaitUntil([&] { return RendererProcesses().empty(); }, kDeadlineMs));
}

TEST_F(IdleWatchTest, OnXNoRunWhileAnotherClientSuspendsTheServersSaver) {
  // The server's own saver comes on after a second unless it is suspended.
  XSetScreenSaver(display_, 1, 0, DefaultBlanking, DefaultExposures);
  XScreenSaverSuspend(display_, True);
  XSync(display_, False);
  auto watch = StartWatch({"--idle", "2s"});
  ASSERT_TRUE(WatchStarted());
  EXPECT_TRUE(NoRunFor(8000));

  XScreenSaverSuspend(display_, False);
  XSync(display_, False);
  EXPECT_NE(WaitForRenderer(), None);
}

TEST_F(IdleWatchTest, ASessionWithoutAnyIdleSourceEndsWithOneLineAndStatus1) {
  auto watch = StartWatch({"--idle"}, {{"DISPLAY", ""}});
  EXPECT_EQ(watch->WaitExit(kDeadlineMs), 1);
  const std::string log = WatchLog();
  EXPECT_NE(log.find("no idle time to watch"), std::string::npos) << log;
  EXPECT_EQ(std::count(log.begin(), log.end(), '\n'), 1) << log;
}

// A private session bus for the watch.
class SessionBusIdleWatchTest : public IdleWatchTest {
 protected:
  void SetUp() override {
    IdleWatchTest::SetUp();
    bus_ = std::make_unique<ChildProcess>(
        "/usr/bin/dbus-daemon",
        std::vector<std::string>{"--session", "--nofork", "--address=" + Bus()});
    ASSERT_TRUE(WaitUntil([&] { return std::filesystem::exists(File("bus")); }, kDeadlineMs));
  }

  std::string Bus() const { return "unix:path=" + File("bus"); }
  std::unique_ptr<ChildProcess> StartOnBus(const std::vector<std::string>& args) {
    return std::make_unique<ChildProcess>(
        SESSION_BUS_STAND_IN, args,
        std::map<std::string, std::string>{{"DBUS_SESSION_BUS_ADDRESS", Bus()}});
  }

  // Calls a method on the bus; the printed reply.
  std::string Call(const std::string& service, const std::string& path, const std::string& method,
                   const std::string& argument = "") {
    std::vector<std::string> args = {"--session", "--print-reply", "--dest=" + service, path,
                                     method};
    if (!argument.empty()) args.push_back(argument);
    return RunToEnd(
               "dbus-send", args, {{"DBUS_SESSION_BUS_ADDRESS", Bus()}},
               [] { dup2(STDOUT_FILENO, STDERR_FILENO); }, kDeadlineMs)
        .output;
  }
  bool Served(const std::string& service) {
    return Call("org.freedesktop.DBus", "/org/freedesktop/DBus",
                "org.freedesktop.DBus.NameHasOwner", "string:" + service)
               .find("boolean true") != std::string::npos;
  }

  std::unique_ptr<ChildProcess> bus_;
};

TEST_F(SessionBusIdleWatchTest, OnXNoRunWhileAnApplicationHoldsAScreenSaverInhibitor) {
  auto watch = StartWatch({"--idle", "2s"}, {{"DBUS_SESSION_BUS_ADDRESS", Bus()}});
  ASSERT_TRUE(WaitUntil([&] { return Served("org.freedesktop.ScreenSaver"); }, kDeadlineMs))
      << WatchLog();
  auto player = StartOnBus({"--inhibit"});
  EXPECT_TRUE(NoRunFor(6000));
  ASSERT_TRUE(player->Running());

  // The application leaves, its inhibitor with it.
  player->Signal(SIGKILL);
  EXPECT_NE(WaitForRenderer(), None);
}

// GNOME's idle monitor and session manager played by a stand-in, whose idle
// watches fire when the test says so.
class GnomeIdleWatchTest : public SessionBusIdleWatchTest {
 protected:
  void SetUp() override {
    SessionBusIdleWatchTest::SetUp();
    standIn_ = StartOnBus({});
    ASSERT_TRUE(WaitUntil([&] { return Served("org.gnome.Mutter.IdleMonitor"); }, kDeadlineMs));
  }

  // Fires the idle monitor's watches of one kind; how many fired.
  std::string Fire(const std::string& kind) {
    const std::string reply =
        Call("org.gnome.Mutter.IdleMonitor", "/org/gnome/Mutter/IdleMonitor/Core",
             "org.gnome.Mutter.IdleMonitor." + kind);
    const size_t count = reply.find("uint32");
    return count == std::string::npos ? std::string() : reply.substr(count);
  }
  void SetIdleInhibited(bool inhibited) {
    Call("org.gnome.SessionManager", "/org/gnome/SessionManager",
         "org.gnome.SessionManager.SetIdleInhibited", inhibited ? "boolean:true" : "boolean:false");
  }

  std::unique_ptr<ChildProcess> standIn_;
};

TEST_F(GnomeIdleWatchTest, FiredWatchesStartRunsUnlessAnIdleInhibitorIsHeldAndSigusr1StartsOne) {
  // A delay no test waits out: only the stand-in's watches start runs.
  auto watch = StartWatch({"--idle", "1h"}, {{"DBUS_SESSION_BUS_ADDRESS", Bus()}});
  SetIdleInhibited(true);
  ASSERT_TRUE(WaitUntil([&] { return Fire("FireIdleWatches") == "uint32 1\n"; }, kDeadlineMs))
      << WatchLog();
  EXPECT_NE(WatchLog().find("org.gnome.Mutter.IdleMonitor"), std::string::npos) << WatchLog();
  EXPECT_TRUE(NoRunFor(4000));

  // The user comes back and goes idle again, the inhibitor gone: a run.
  SetIdleInhibited(false);
  EXPECT_EQ(Fire("FireUserActive"), "uint32 1\n");
  EXPECT_EQ(Fire("FireIdleWatches"), "uint32 1\n");
  ASSERT_NE(WaitForRenderer(), None);

  // A key ends the run; SIGUSR1, a key binding's way, starts the next at once.
  PressKey();
  ASSERT_TRUE(RendererGone());
  // Until the run's front end has ended too, the signal is ignored.
  EXPECT_TRUE(WaitUntil(
      [&] {
        watch->Signal(SIGUSR1);
        return testsupport::WaitForWindow(display_, names::kRendererTitle, 1000) != None;
      },
      kDeadlineMs));
}

}  // namespace

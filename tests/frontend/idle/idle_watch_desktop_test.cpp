// The idle watch of the real front end beside the desktop's own idle chain, on a
// private X server with a logind stand-in: logind's idle blocks, KDE's PowerDevil
// inhibitions, the delay chosen from the desktop's own and followed when it
// changes, and the autostart entry's word about a delay that comes too late.
#include "tests/frontend/saver/logind_saver_session.h"

#include <X11/extensions/scrnsaver.h>
#include <fcntl.h>
#include <signal.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>

#include "platform/shared_names.h"
#include "tests/support/captured_run.h"
#include "tests/support/temporary_folder.h"
#include "tests/support/x_wait.h"

namespace {

using testsupport::WaitUntil;

constexpr int kDeadlineMs = 60000;
constexpr char kPolicyAgent[] = "org.kde.Solid.PowerManagement.PolicyAgent";

class DesktopIdleWatchTest : public savertest::LogindSaverSession {
 protected:
  std::unique_ptr<testsupport::ChildProcess> StartWatch(
      const std::vector<std::string>& args, const std::map<std::string, std::string>& env = {}) {
    auto all = env;
    all["XDG_CONFIG_HOME"] = File("config");
    return StartLogged(args, "watch.log", all);
  }
  bool WatchSays(const std::string& text) {
    return WaitUntil([&] { return Log("watch.log").find(text) != std::string::npos; }, kDeadlineMs);
  }
  bool NoRunFor(int ms) {
    return testsupport::WaitForWindow(display_, names::kRendererTitle, ms) == None;
  }
  void SetServerSaverTimeout(int seconds) {
    XSetScreenSaver(display_, seconds, 0, DefaultBlanking, DefaultExposures);
    XSync(display_, False);
  }
};

TEST_F(DesktopIdleWatchTest, NoRunWhileLogindHoldsAnIdleBlockAndOneComesOnceItEnds) {
  auto block = logind_->HoldIdleBlock();
  ASSERT_TRUE(WaitUntil([&] { return logind_->Inhibitors().find("'idle'") != std::string::npos; },
                        kDeadlineMs, 100));
  auto watch = StartWatch({"--idle", "2s"});
  ASSERT_TRUE(WatchSays("idle time from")) << Log("watch.log");
  EXPECT_TRUE(NoRunFor(6000));

  block->Signal(SIGTERM);
  block->WaitExit(kDeadlineMs);
  EXPECT_NE(WaitForRenderer(), None) << Log("watch.log");
}

TEST_F(DesktopIdleWatchTest, OnKdeNoRunWhilePowerDevilReportsAnInhibitionOfTheScreen) {
  testsupport::MockService powerDevil(*sessionBus_, false, kPolicyAgent,
                                      "/org/kde/Solid/PowerManagement/PolicyAgent", kPolicyAgent);
  ASSERT_TRUE(powerDevil.Running());
  // PowerDevil's policy 4 keeps the screen as it is: no dimming, blanking or lock.
  ASSERT_TRUE(powerDevil.AddProperty("Held", "<true>"));
  ASSERT_TRUE(powerDevil.AddMethod(
      "HasInhibition", "u", "b",
      std::string("ret = args[0] == 4 and self.Get('") + kPolicyAgent + "', 'Held')"));
  auto watch = StartWatch({"--idle", "2s"}, {{"XDG_CURRENT_DESKTOP", "KDE"}});
  ASSERT_TRUE(WatchSays("idle time from")) << Log("watch.log");
  EXPECT_TRUE(NoRunFor(6000));

  // The player ends its inhibition; PowerDevil tells of the change.
  ASSERT_TRUE(sessionBus_
                  ->Call(kPolicyAgent, "/org/kde/Solid/PowerManagement/PolicyAgent",
                         "org.freedesktop.DBus.Properties.Set", {kPolicyAgent, "Held", "<false>"})
                  .Succeeded());
  ASSERT_TRUE(
      sessionBus_
          ->Call(kPolicyAgent, "/org/kde/Solid/PowerManagement/PolicyAgent",
                 "org.freedesktop.DBus.Mock.EmitSignal",
                 {kPolicyAgent, "InhibitionsChanged", "a(ss)as", "[<@a(ss) []>, <@as ['player']>]"})
          .Succeeded());
  EXPECT_NE(WaitForRenderer(), None) << Log("watch.log");
}

TEST_F(DesktopIdleWatchTest, LeftOutTheDelayComesBeforeTheServersSaverAndFollowsItsChange) {
  // Under two minutes, half of the server's delay.
  SetServerSaverTimeout(4);
  auto watch = StartWatch({"--idle"});
  ASSERT_TRUE(
      WatchSays("starts after 2 s of it, before the X server blanks the screen (after 4 s)"))
      << Log("watch.log");
  ASSERT_NE(WaitForRenderer(), None) << Log("watch.log");

  // Changed during the run: the next idle period, begun by the key that ends it,
  // counts with the new delay.
  SetServerSaverTimeout(6);
  PressKey();
  EXPECT_TRUE(WatchSays("the desktop's idle delay changed; the screensaver starts after 3 s"))
      << Log("watch.log");
  EXPECT_TRUE(testsupport::WaitForWindowGone(display_, names::kRendererTitle, kDeadlineMs));
  EXPECT_NE(WaitForRenderer(), None) << Log("watch.log");
}

TEST_F(DesktopIdleWatchTest, AutostartNamesKdesLockWhenTheDelayGivenComesNoSooner) {
  std::filesystem::create_directories(File("config"));
  std::ofstream(File("config/kscreenlockerrc")) << "[Daemon]\nAutolock=true\nTimeout=5\n";
  const auto autostart = [&](const std::vector<std::string>& args) {
    auto env = LogindEnvironment();
    env["XDG_CONFIG_HOME"] = File("config");
    env["XDG_CURRENT_DESKTOP"] = "KDE";
    const std::string log = File("autostart.log");
    return testsupport::RunToEnd(File(names::kFrontEndFile), args, env, [log] {
      const int fd = open(log.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
      if (fd >= 0) dup2(fd, STDERR_FILENO);
    });
  };
  const std::string entry = File("config/autostart/veyora-screensaver-idle.desktop");

  const testsupport::CapturedRun late = autostart({"--idle", "--autostart", "10"});
  EXPECT_TRUE(late.Succeeded()) << late.output;
  const std::string notice = Log("autostart.log");
  EXPECT_EQ(std::count(notice.begin(), notice.end(), '\n'), 1) << notice;
  EXPECT_NE(notice.find("KDE locks the screen after 5 min"), std::string::npos) << notice;
  EXPECT_NE(notice.find("Screen Locking"), std::string::npos) << notice;
  EXPECT_NE(testsupport::ReadBytes(entry).find(" --idle 10\n"), std::string::npos);

  // Left out, the entry leaves the choice to the watch, which comes a minute early.
  const testsupport::CapturedRun early = autostart({"--idle", "--autostart"});
  EXPECT_TRUE(early.Succeeded());
  EXPECT_NE(early.output.find("after 4 min of idle time"), std::string::npos) << early.output;
  EXPECT_EQ(Log("autostart.log"), "");
  EXPECT_NE(testsupport::ReadBytes(entry).find(" --idle\n"), std::string::npos);
}

}  // namespace

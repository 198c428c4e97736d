// The idle watch of the real front end in GNOME Shell 43, headless: the delay
// taken from GNOME's own settings, read as GNOME's settings tool reads them.
#include <gtest/gtest.h>

#include <signal.h>

#include <string>

#include "tests/support/child_process.h"
#include "tests/support/gnome_shell_session.h"
#include "tests/support/temporary_folder.h"
#include "tests/support/x_wait.h"

namespace {

using testsupport::GnomeShellSession;
using testsupport::WaitUntil;

constexpr int kDeadlineMs = 60000;

// Starts the watch in the session with these arguments; what it says goes to `log`.
std::unique_ptr<testsupport::ChildProcess> StartWatch(const GnomeShellSession& session,
                                                      const std::string& log,
                                                      const std::vector<std::string>& args) {
  std::vector<std::string> all = {"-c", "exec \"$0\" \"$@\" 2>\"$WATCH_LOG\"",
                                  testsupport::FrontEndPath()};
  all.insert(all.end(), args.begin(), args.end());
  return session.Start("/bin/sh", all, {{"WATCH_LOG", log}});
}

// Waits until the watch has said `text` in `log`.
bool Says(const std::string& log, const std::string& text) {
  return WaitUntil([&] { return testsupport::ReadBytes(log).find(text) != std::string::npos; },
                   kDeadlineMs);
}

TEST(IdleWatchGnomeTest, TheDelayComesAMinuteBeforeGnomesBlankAndADelayGivenLaterIsTold) {
  GnomeShellSession session;
  ASSERT_TRUE(session.Running()) << session.Log();
  // Settings, Power, Screen Blank: 3 minutes.
  ASSERT_TRUE(session.Run("gsettings", {"set", "org.gnome.desktop.session", "idle-delay", "180"})
                  .Succeeded());

  const std::string log = session.Home() + "/watch.log";
  auto watch = StartWatch(session, log, {"--idle"});
  EXPECT_TRUE(Says(log,
                   "starts after 2 min of it, before GNOME blanks the screen and locks it (after "
                   "3 min)"))
      << testsupport::ReadBytes(log);
  watch->Signal(SIGTERM);
  watch->WaitExit(kDeadlineMs);

  // Without the lock, and a delay asked for that GNOME's blank comes before.
  ASSERT_TRUE(
      session.Run("gsettings", {"set", "org.gnome.desktop.screensaver", "lock-enabled", "false"})
          .Succeeded());
  watch = StartWatch(session, log, {"--idle", "5"});
  EXPECT_TRUE(Says(log,
                   "GNOME blanks the screen after 3 min of idle time, so the screensaver after 5 "
                   "min is not seen"))
      << testsupport::ReadBytes(log);
  watch->Signal(SIGTERM);
  watch->WaitExit(kDeadlineMs);
}

}  // namespace

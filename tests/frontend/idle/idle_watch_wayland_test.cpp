// The idle watch of the real front end in a headless sway, through the
// compositor's idle protocol; keys come from wtype.
#include <gtest/gtest.h>

#include <signal.h>
#include <sys/types.h>

#include <memory>
#include <string>
#include <vector>

#include "tests/support/child_process.h"
#include "tests/support/sway_session.h"
#include "tests/support/temporary_folder.h"
#include "tests/support/test_pointer.h"
#include "tests/support/x_wait.h"

namespace {

using testsupport::ChildrenOf;
using testsupport::SwaySession;
using testsupport::WaitUntil;

constexpr int kDeadlineMs = 60000;

// The renderer of a run of the watch: started by the front end the watch started.
pid_t RunRenderer(pid_t watch) {
  for (pid_t run : ChildrenOf(watch)) {
    for (pid_t renderer : ChildrenOf(run)) return renderer;
  }
  return 0;
}
bool RunOn(pid_t watch) { return RunRenderer(watch) != 0; }

// With XWayland and without any X server: the watch and its runs need none.
class IdleWatchWaylandTest : public ::testing::TestWithParam<SwaySession::XWayland> {};

TEST_P(IdleWatchWaylandTest, IdleStartsARunAKeyEndsItAndTheNextIdlePeriodStartsAnother) {
  SwaySession session(1, GetParam());
  ASSERT_TRUE(session.Running()) << session.Log();
  const auto autostart = session.Run(testsupport::FrontEndPath(), {"--idle", "--autostart", "2s"});
  EXPECT_TRUE(autostart.Succeeded()) << autostart.output;
  EXPECT_FALSE(
      testsupport::ReadBytes(session.Home() + "/.config/autostart/veyora-screensaver-idle.desktop")
          .empty());

  testsupport::TestPointer devices(session);
  ASSERT_TRUE(devices.Ready());
  ASSERT_TRUE(devices.AddKeyboard());

  const std::string log = session.Home() + "/watch.log";
  auto watch = session.Start(
      "/bin/sh",
      {"-c", "exec \"$0\" \"$@\" 2>\"$WATCH_LOG\"", testsupport::FrontEndPath(), "--idle", "2s"},
      {{"WATCH_LOG", log}, {"SDL_AUDIODRIVER", "dummy"}});
  ASSERT_TRUE(WaitUntil([&] { return RunOn(watch->Pid()); }, kDeadlineMs))
      << testsupport::ReadBytes(log);
  // sway 1.7 offers org_kde_kwin_idle; a newer one ext-idle-notify-v1.
  EXPECT_NE(testsupport::ReadBytes(log).find("(Wayland)"), std::string::npos)
      << testsupport::ReadBytes(log);

  // A key, once the run's window has the keyboard, ends the run.
  ASSERT_TRUE(WaitUntil([&] { return session.TypeKey() && !RunOn(watch->Pid()); }, kDeadlineMs));
  ASSERT_TRUE(WaitUntil([&] { return RunOn(watch->Pid()); }, kDeadlineMs));

  // The watch ends on SIGTERM, and its run with it.
  const pid_t renderer = RunRenderer(watch->Pid());
  watch->Signal(SIGTERM);
  EXPECT_EQ(watch->WaitExit(kDeadlineMs), 0);
  EXPECT_TRUE(WaitUntil([&] { return kill(renderer, 0) != 0; }, kDeadlineMs));
}

INSTANTIATE_TEST_SUITE_P(XWayland, IdleWatchWaylandTest,
                         ::testing::Values(SwaySession::XWayland::Enabled,
                                           SwaySession::XWayland::Disabled),
                         [](const auto& info) {
                           return info.param == SwaySession::XWayland::Enabled ? "WithXWayland"
                                                                               : "WithoutXServer";
                         });

}  // namespace

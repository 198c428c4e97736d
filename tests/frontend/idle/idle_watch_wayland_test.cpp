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

TEST(IdleWatchWaylandTest, IdleStartsARunAKeyEndsItAndTheNextIdlePeriodStartsAnother) {
  SwaySession session(1);
  ASSERT_TRUE(session.Running()) << session.Log();
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

}  // namespace

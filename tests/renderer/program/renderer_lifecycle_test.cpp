#include "tests/renderer/program/renderer_session.h"

#include <X11/Xutil.h>
#include <signal.h>

#include <algorithm>

#include "platform/shared_names.h"
#include "platform/window_search.h"
#include "tests/support/x_wait.h"

namespace veyora::testing {
namespace {

TEST(RendererLifecycleTest, CloseRequestCountsOnlyAfterInput) {
  RendererSession session;
  ASSERT_TRUE(session.display());
  session.MovePointer(200, 200);
  ASSERT_TRUE(session.Start());
  session.SendDeleteWindow();
  ASSERT_TRUE(session.PictureChanges());
  EXPECT_TRUE(session.renderer().Running());
  // Two one-pixel motions: the second counts as input without ending anything.
  session.MovePointer(201, 200);
  ASSERT_TRUE(session.PictureChanges());
  session.MovePointer(202, 200);
  ASSERT_TRUE(session.PictureChanges());
  ASSERT_TRUE(session.renderer().Running());
  session.SendDeleteWindow();
  EXPECT_EQ(session.ExitStatus(kEndWithinMs), 0);
}

class RendererSignalTest : public ::testing::TestWithParam<int> {};

TEST_P(RendererSignalTest, EndsAtOnceWithStatusZero) {
  RendererSession session;
  ASSERT_TRUE(session.Start());
  session.renderer().Signal(GetParam());
  EXPECT_EQ(session.ExitStatus(kEndWithinMs), 0);
  EXPECT_EQ(platform::FindTopLevelWindow(session.display(), names::kRendererTitle), 0u);
}

INSTANTIATE_TEST_SUITE_P(Signals, RendererSignalTest, ::testing::Values(SIGTERM, SIGINT, SIGHUP));

TEST(RendererLifecycleTest, EndsWhenTheProcessThatStartedItIsKilled) {
  RendererSession session;
  ASSERT_TRUE(session.display());
  testsupport::ChildProcess parent(
      "/bin/sh", {"-c", "\"$0\" & wait", testsupport::RendererPath()},
      {{"DISPLAY", session.displayName()}, {"LIBGL_ALWAYS_SOFTWARE", "1"}});
  ASSERT_NE(testsupport::WaitForWindow(session.display(), names::kRendererTitle, kEndWithinMs), 0u);
  parent.Signal(SIGKILL);
  EXPECT_TRUE(
      testsupport::WaitForWindowGone(session.display(), names::kRendererTitle, kEndWithinMs));
}

TEST(RendererLifecycleTest, DeclinesWhenAnotherScreensaverWindowIsBeingCreated) {
  RendererSession session;
  Display* display = session.display();
  ASSERT_TRUE(display);
  Window other = XCreateSimpleWindow(display, DefaultRootWindow(display), 0, 0, 10, 10, 0, 0, 0);
  XStoreName(display, other, names::kRendererCreationTitle);
  XClassHint hint{const_cast<char*>("other"), const_cast<char*>(names::kRendererClass)};
  XSetClassHint(display, other, &hint);
  XSync(display, False);
  session.Launch();
  bool ownWindowSeen = false;
  std::optional<int> status;
  for (int waited = 0; waited < kEndWithinMs && !status; waited += 10) {
    ownWindowSeen |= platform::FindTopLevelWindow(display, names::kRendererTitle) != 0;
    status = session.ExitStatus(10);
  }
  EXPECT_EQ(status, 0);
  EXPECT_FALSE(ownWindowSeen);
}

TEST(RendererLifecycleTest, WithoutADisplayItEndsWithOneLineOfError) {
  const RendererOutcome outcome = RunRendererToItsEnd(":65000", {});
  EXPECT_EQ(outcome.status, 1);
  EXPECT_LE(std::count(outcome.errors.begin(), outcome.errors.end(), '\n'), 1);
}

}  // namespace
}  // namespace veyora::testing

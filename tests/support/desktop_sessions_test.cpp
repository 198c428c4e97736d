#include <gtest/gtest.h>

#include <string>

#include "tests/support/gnome_shell_session.h"
#include "tests/support/kwin_session.h"
#include "tests/support/x_wait.h"

namespace testsupport {
namespace {

constexpr int kDeadlineMs = 30000;

TEST(DesktopSessionsTest, GnomeShellStartsInTheOverviewTakesInputAndLocksTheSession) {
  GnomeShellSession session;
  ASSERT_TRUE(session.Running()) << session.Log();
  EXPECT_EQ(session.OverviewShown(), true);
  const Picture shown = session.Screenshot();
  EXPECT_EQ(shown.width, GnomeShellSession::kOutputWidth);
  EXPECT_EQ(shown.height, GnomeShellSession::kOutputHeight);
  EXPECT_TRUE(session.TypeKeys({0x61}));
  EXPECT_TRUE(session.MovePointer(10, 10));
  EXPECT_TRUE(session.ShowOverview(false));
  EXPECT_TRUE(WaitUntil([&] { return session.OverviewShown() == false; }, kDeadlineMs, 100));
  EXPECT_TRUE(session.ShowApplications());
  EXPECT_TRUE(WaitUntil([&] { return session.OverviewShown() == true; }, kDeadlineMs, 100));
  EXPECT_EQ(session.Locked(), false);
  ASSERT_TRUE(session.Lock());
  EXPECT_TRUE(WaitUntil([&] { return session.Locked() == true; }, kDeadlineMs, 100));
  EXPECT_TRUE(WaitUntil([&] { return session.Logind().LockedHint() == true; }, kDeadlineMs, 100));
}

TEST(DesktopSessionsTest, KWinLocksTheSessionAndLogindHoldsIdleBlocks) {
  KWinSession session;
  ASSERT_TRUE(session.Running()) << session.Log();
  EXPECT_EQ(session.Locked(), false);
  ASSERT_TRUE(session.Lock());
  EXPECT_TRUE(WaitUntil([&] { return session.Locked() == true; }, kDeadlineMs, 100));
  EXPECT_TRUE(WaitUntil([&] { return session.Logind().LockedHint() == true; }, kDeadlineMs, 100));
  const auto block = session.Logind().HoldIdleBlock();
  EXPECT_TRUE(
      WaitUntil([&] { return session.Logind().Inhibitors().find("'idle'") != std::string::npos; },
                kDeadlineMs, 100));
}

}  // namespace
}  // namespace testsupport

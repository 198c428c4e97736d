// The screensaver run and the session's lock on an X11 desktop, where logind's
// LockedHint and its Lock request are the session's word (a stand-in for logind
// on a system bus of the test's own).
#include <signal.h>

#include <chrono>
#include <filesystem>
#include <functional>
#include <thread>

#include "platform/shared_names.h"
#include "tests/frontend/saver/logind_saver_session.h"
#include "tests/support/x_wait.h"

namespace savertest {
namespace {

constexpr int kDeadlineMs = 60000;

using LockSaverTest = LogindSaverSession;

TEST_F(LockSaverTest, StartedWhileLockedItEndsAtOnceWithStatus0StartingNothing) {
  // A renderer that only notes that it was started.
  ReplaceRenderer("touch \"$(dirname \"$0\")/renderer-started\"\nsleep 60\n");
  ASSERT_TRUE(logind_->SetLockedHint(true));
  auto frontEnd = StartLogged({"/s"}, "locked.log");
  EXPECT_EQ(frontEnd->WaitExit(kDeadlineMs), 0);
  EXPECT_NE(Log("locked.log").find("locked or its shield is up (logind's LockedHint)"),
            std::string::npos)
      << Log("locked.log");
  EXPECT_FALSE(std::filesystem::exists(File("renderer-started")));
  // The pointer was never hidden.
  EXPECT_TRUE(PointerCalls(frontEnd->Pid()).empty());
}

TEST_F(LockSaverTest, ARunEndsWhenTheSessionLocksOrLogindAsksItToWithNothingOfItLeft) {
  WriteTone(File("tone.wav"), 440, 1.0);
  WriteSettings(2, File("tone.wav"));
  const struct {
    const char* how;
    std::function<bool()> lock;
  } locks[] = {
      {"locked hint", [&] { return logind_->SetLockedHint(true); }},
      {"lock request", [&] { return logind_->AskToLock(true); }},
  };
  for (const auto& lock : locks) {
    SCOPED_TRACE(lock.how);
    ASSERT_TRUE(logind_->SetLockedHint(false));
    auto frontEnd = StartLogged({"/s"}, "run.log");
    ASSERT_NE(WaitForRenderer(), None) << Log("run.log");
    ASSERT_TRUE(WaitForSound(0.5));
    ASSERT_TRUE(lock.lock());
    EXPECT_EQ(frontEnd->WaitExit(kDeadlineMs), 0);
    EXPECT_NE(Log("run.log").find("the session has locked"), std::string::npos) << Log("run.log");
    EXPECT_TRUE(testsupport::WaitUntil([&] { return RendererProcesses().empty(); }, kDeadlineMs));
    EXPECT_EQ(PointerCalls(frontEnd->Pid()), (std::vector<std::string>{"hide", "show"}));
    const long soundAtEnd = SoundBytes();
    std::this_thread::sleep_for(std::chrono::seconds(1));
    EXPECT_EQ(SoundBytes(), soundAtEnd);
  }
}

}  // namespace
}  // namespace savertest

#include <gtest/gtest.h>

#include <chrono>
#include <optional>
#include <string>
#include <vector>

#include "frontend/idle/autostart_entry.h"
#include "frontend/idle/idle_command.h"
#include "frontend/idle/idle_delay.h"
#include "frontend/idle/idle_watch_states.h"

namespace {

using namespace veyora::frontend;

using std::chrono::seconds;

TEST(IdleDelayTest, ReadsMinutesOrANumberWithItsUnitAndRefusesTheRest) {
  const struct {
    const char* text;
    std::optional<seconds> delay;
  } cases[] = {
      {"10", seconds(600)},       {"90s", seconds(90)},
      {"2m", seconds(120)},       {"1h", seconds(3600)},
      {"1440", seconds(86400)},   {"24h", seconds(86400)},
      {"86400s", seconds(86400)}, {"1441", std::nullopt},
      {"25h", std::nullopt},      {"0", std::nullopt},
      {"0s", std::nullopt},       {"-5", std::nullopt},
      {"", std::nullopt},         {"s", std::nullopt},
      {"5x", std::nullopt},       {"1.5m", std::nullopt},
      {"2 m", std::nullopt},      {"2M", std::nullopt},
      {"+3", std::nullopt},       {"99999999999999999999", std::nullopt},
  };
  for (const auto& c : cases) EXPECT_EQ(ParseIdleDelay(c.text), c.delay) << c.text;
  // What the autostart entry writes reads back as the same delay.
  for (seconds delay : {seconds(600), seconds(90), seconds(1), seconds(86400)}) {
    EXPECT_EQ(ParseIdleDelay(IdleDelayText(delay)), delay) << delay.count();
  }
}

TEST(IdleCommandTest, TakesTheAutostartSwitchAndOneDelayInEitherOrder) {
  using Args = std::vector<std::string>;
  for (const Args& other : {Args{}, Args{"/s"}, Args{"/s", "--idle"}})
    EXPECT_FALSE(IsIdleCommand(other));
  const struct {
    Args arguments;
    bool valid;
    bool autostart;
    seconds delay;
  } cases[] = {
      {{"--idle"}, true, false, kDefaultIdleDelay},
      {{"--idle", "5"}, true, false, seconds(300)},
      {{"--idle", "--autostart"}, true, true, kDefaultIdleDelay},
      {{"--idle", "--autostart", "90s"}, true, true, seconds(90)},
      {{"--idle", "90s", "--autostart"}, true, true, seconds(90)},
      {{"--idle", "5", "6"}, false, false, {}},
      {{"--idle", "--autostart", "--autostart"}, false, false, {}},
      {{"--idle", "soon"}, false, false, {}},
      {{"--idle", "/s"}, false, false, {}},
  };
  for (const auto& c : cases) {
    const auto parsed = ParseIdleCommand(c.arguments);
    const std::string what = c.arguments.size() > 1 ? c.arguments[1] : "(none)";
    ASSERT_EQ(std::holds_alternative<IdleCommand>(parsed), c.valid) << what;
    if (!c.valid) {
      const std::string& line = std::get<std::string>(parsed);
      EXPECT_EQ(line.find('\n'), std::string::npos) << what;
      continue;
    }
    EXPECT_EQ(std::get<IdleCommand>(parsed).autostart, c.autostart) << what;
    EXPECT_EQ(std::get<IdleCommand>(parsed).delay, c.delay) << what;
  }
}

TEST(IdleWatchStatesTest, StartsOneRunPerIdlePeriodHoldsWhileKeptAwakeAndEndsItsRun) {
  using S = IdleWatchState;
  using E = IdleWatchEvent;
  using A = IdleWatchAction;
  const struct {
    S state;
    E event;
    bool held;
    S next;
    A action;
  } cases[] = {
      {S::Waiting, E::Idle, false, S::Running, A::StartRun},
      {S::Waiting, E::Idle, true, S::Holding, A::RecheckLater},
      {S::Waiting, E::Recheck, false, S::Waiting, A::None},  // a late recheck of a period gone
      {S::Holding, E::Recheck, true, S::Holding, A::RecheckLater},
      {S::Holding, E::Recheck, false, S::Running, A::StartRun},
      {S::Holding, E::Active, false, S::Waiting, A::CancelRecheck},
      {S::Running, E::StartNow, false, S::Running, A::None},  // never a second run
      {S::Running, E::RunEnded, false, S::Waiting,
       A::None},  // the next idle period starts the next
      // Back and idle again before the run has ended: the next period has begun.
      {S::Running, E::Idle, false, S::IdleBeforeRunEnded, A::None},
      {S::IdleBeforeRunEnded, E::Active, false, S::Running, A::None},
      {S::IdleBeforeRunEnded, E::RunEnded, false, S::Running, A::StartRun},
      {S::IdleBeforeRunEnded, E::RunEnded, true, S::Holding, A::RecheckLater},
      {S::IdleBeforeRunEnded, E::Terminate, false, S::Ended, A::EndRun},
      {S::Waiting, E::StartNow, false, S::Running, A::StartRun},
      {S::Running, E::Terminate, false, S::Ended, A::EndRun},
      {S::Waiting, E::Terminate, false, S::Ended, A::Finish},
  };
  for (const auto& c : cases) {
    const IdleWatchStep step = NextIdleWatchStep(c.state, c.event, [&] { return c.held; });
    EXPECT_EQ(step.next, c.next) << int(c.state) << " on " << int(c.event);
    EXPECT_EQ(step.action, c.action) << int(c.state) << " on " << int(c.event);
  }
}

TEST(AutostartEntryTest, StartsTheLauncherWithTheDelayQuotedAsEntriesQuote) {
  const std::string installed =
      "[Desktop Entry]\nType=Application\nTryExec=veyora-screensaver\n"
      "Exec=veyora-screensaver --idle 10\nNoDisplay=true\n";
  EXPECT_EQ(AutostartEntry(installed, "/usr/bin/veyora-screensaver", seconds(300)),
            "[Desktop Entry]\nType=Application\nTryExec=/usr/bin/veyora-screensaver\n"
            "Exec=/usr/bin/veyora-screensaver --idle 5\nNoDisplay=true\n");
  EXPECT_EQ(AutostartEntry(installed, "/b/Veyora(Ra05).scr", seconds(90)),
            "[Desktop Entry]\nType=Application\nTryExec=/b/Veyora(Ra05).scr\n"
            "Exec=\"/b/Veyora(Ra05).scr\" --idle 90s\nNoDisplay=true\n");
  EXPECT_EQ(DesktopExecArgument("/a b/$x\"y\\z"), R"("/a b/\\$x\\"y\\\\z")");

  EXPECT_EQ(AutostartFolder("/cfg", "/home/u"), "/cfg/autostart");
  EXPECT_EQ(AutostartFolder("relative", "/home/u"), "/home/u/.config/autostart");
  EXPECT_EQ(AutostartFolder(nullptr, "/home/u"), "/home/u/.config/autostart");
  EXPECT_EQ(AutostartFolder(nullptr, nullptr), "");
}

}  // namespace

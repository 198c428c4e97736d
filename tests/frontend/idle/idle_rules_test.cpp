#include <gtest/gtest.h>

#include <chrono>
#include <optional>
#include <string>
#include <vector>

#include "frontend/idle/autostart_entry.h"
#include "frontend/idle/idle_command.h"
#include "frontend/idle/idle_delay.h"
#include "frontend/idle/idle_delay_choice.h"
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
    std::optional<seconds> delay;
  } cases[] = {
      {{"--idle"}, true, false, std::nullopt},
      {{"--idle", "5"}, true, false, seconds(300)},
      {{"--idle", "--autostart"}, true, true, std::nullopt},
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
  // Without a delay the watch follows the desktop's own at every start.
  EXPECT_NE(AutostartEntry(installed, "/usr/bin/veyora-screensaver", std::nullopt)
                .find("Exec=/usr/bin/veyora-screensaver --idle\n"),
            std::string::npos);
  EXPECT_EQ(DesktopExecArgument("/a b/$x\"y\\z"), R"("/a b/\\$x\\"y\\\\z")");

  EXPECT_EQ(AutostartFolder("/cfg", "/home/u"), "/cfg/autostart");
  EXPECT_EQ(AutostartFolder("relative", "/home/u"), "/home/u/.config/autostart");
  EXPECT_EQ(AutostartFolder(nullptr, "/home/u"), "/home/u/.config/autostart");
  EXPECT_EQ(AutostartFolder(nullptr, nullptr), "");
}

TEST(IdleDelayChoiceTest, LeftOutItComesBeforeTheDesktopsOwnGivenItStaysAndTellsWhenTooLate) {
  using std::chrono::minutes;
  const auto gnome = GnomeIdleChain(300, true);
  const struct {
    std::optional<seconds> given;
    std::optional<DesktopIdleChain> desktop;
    seconds delay;
    bool basis;
    bool notice;
  } cases[] = {
      {std::nullopt, std::nullopt, minutes(10), false, false},  // sway: as it always was
      {std::nullopt, gnome, minutes(4), true, false},           // GNOME's 5 min
      {std::nullopt, KdeIdleChain(true, 5), minutes(4), true, false},
      {std::nullopt, X11IdleChain(600), minutes(9), true, false},  // Xorg's 10 min
      {std::nullopt, X11IdleChain(660), minutes(10), false, false},
      {std::nullopt, X11IdleChain(3600), minutes(10), false, false},
      {std::nullopt, X11IdleChain(120), minutes(1), true, false},
      {std::nullopt, GnomeIdleChain(119, true), seconds(59), true, false},  // half, under 2 min
      {std::nullopt, X11IdleChain(4), seconds(2), true, false},
      {std::nullopt, X11IdleChain(1), seconds(1), true, false},
      {minutes(3), gnome, minutes(3), false, false},
      {minutes(10), gnome, minutes(10), false, true},  // asked for, and told
      {minutes(5), gnome, minutes(5), false, true},    // both at once: never seen either
      {minutes(10), std::nullopt, minutes(10), false, false},
  };
  for (const auto& c : cases) {
    const IdleDelayChoice choice = ChooseIdleDelay(c.given, c.desktop);
    const std::string what =
        (c.given ? IdleDelayText(*c.given) : "none") + " on " +
        (c.desktop ? c.desktop->what + " " + IdleDelayText(c.desktop->after) : "nothing");
    EXPECT_EQ(choice.delay, c.delay) << what;
    EXPECT_EQ(!choice.basis.empty(), c.basis) << what;
    EXPECT_EQ(!choice.notice.empty(), c.notice) << what;
    EXPECT_EQ(choice.notice.find('\n'), std::string::npos) << what;
  }
  // The line names the desktop's delay and where to change it.
  const std::string notice = ChooseIdleDelay(minutes(10), gnome).notice;
  EXPECT_NE(notice.find("GNOME blanks the screen and locks it after 5 min"), std::string::npos)
      << notice;
  EXPECT_NE(notice.find("idle-delay"), std::string::npos) << notice;
}

}  // namespace

#include "tests/frontend/saver/saver_session.h"

#include <signal.h>

#include <chrono>
#include <filesystem>
#include <thread>

#include "platform/shared_names.h"
#include "platform/window_search.h"
#include "tests/support/x_wait.h"

namespace savertest {
namespace {

using Clock = std::chrono::steady_clock;
using musictest::SoundWindow;

// The watch looks every 50 ms; the rest is room for a busy machine.
constexpr int kFollowMs = 150;
// Closing SDL's sound output waits for its mixing thread to finish about two
// buffers, some 50 ms.
constexpr int kFollowWithMusicMs = kFollowMs + 75;
constexpr int kQuickEndMs = 3000;
constexpr double kWindowSeconds = 0.05;
constexpr double kLoud = 2000;  // the test tones have an RMS of about 7000
constexpr double kSilent = 50;

void Pause(int ms) { std::this_thread::sleep_for(std::chrono::milliseconds(ms)); }

int MillisecondsSince(Clock::time_point start) {
  return static_cast<int>(
      std::chrono::duration_cast<std::chrono::milliseconds>(Clock::now() - start).count());
}

class SaverRunTest : public SaverSession {
 protected:
  // Starts a run and waits for the renderer's window and its first frames.
  std::unique_ptr<testsupport::ChildProcess> StartRun(const std::vector<std::string>& args = {"/s"}) {
    auto frontEnd = StartFrontEnd(args);
    EXPECT_NE(WaitForRenderer(), None);
    Pause(500);
    return frontEnd;
  }

  // Ends a run the way the user does, and checks that the front end followed.
  void EndRunByKey(testsupport::ChildProcess& frontEnd, int followLimitMs = kFollowMs) {
    PressKey();
    const int followMs = MillisecondsFromWindowGoneToEnd(frontEnd);
    EXPECT_GE(followMs, 0);
    EXPECT_LE(followMs, followLimitMs);
    RecordProperty("follow_ms", followMs);
    EXPECT_EQ(frontEnd.WaitExit(0), 0);
  }

  std::vector<SoundWindow> Heard(double hertz) const {
    return musictest::Analyse(musictest::ReadRawSamples(File("sound.raw")), kWindowSeconds,
                              {hertz / 2, hertz, hertz * 2});
  }

  // Stretches of loud sound, in windows, in the order heard.
  static std::vector<int> LoudStretches(const std::vector<SoundWindow>& windows) {
    std::vector<int> stretches;
    bool inStretch = false;
    for (const SoundWindow& window : windows) {
      const bool loud = window.rms > kLoud;
      if (loud && !inStretch) stretches.push_back(0);
      if (loud) ++stretches.back();
      inStretch = loud;
    }
    return stretches;
  }

  static bool AllSilent(const std::vector<SoundWindow>& windows) {
    for (const SoundWindow& window : windows) {
      if (window.rms > kSilent) return false;
    }
    return true;
  }

  void WriteTone(const std::string& wavPath, double hertz, double seconds) {
    ASSERT_TRUE(musictest::WriteWav(wavPath, musictest::Tone(hertz, seconds)));
  }
};

struct PointerCase {
  std::string name;
  std::vector<std::string> args;
  std::vector<std::string> pointerCalls;
};

void PrintTo(const PointerCase& run, std::ostream* out) { *out << run.name; }

class SaverRunPointerTest : public SaverRunTest, public ::testing::WithParamInterface<PointerCase> {};

TEST_P(SaverRunPointerTest, StaysHiddenAndEndsRightAfterTheRenderer) {
  auto frontEnd = StartFrontEnd(GetParam().args);
  const Window saver = testsupport::WaitForWindow(display_, names::kSaverTitle, 10000);
  ASSERT_NE(saver, None);
  ASSERT_NE(WaitForRenderer(), None);
  Pause(500);
  XWindowAttributes attributes{};
  ASSERT_TRUE(XGetWindowAttributes(display_, saver, &attributes));
  EXPECT_EQ(attributes.map_state, IsUnmapped);
  // Nothing of the front end on screen: the renderer keeps the focus.
  EXPECT_EQ(ShownWindowTitles(), std::vector<std::string>{names::kRendererTitle});
  EXPECT_EQ(RendererProcesses().size(), 1u);

  EndRunByKey(*frontEnd);
  EXPECT_EQ(PointerCalls(frontEnd->Pid()), GetParam().pointerCalls);
}

INSTANTIATE_TEST_SUITE_P(
    Switches, SaverRunPointerTest,
    ::testing::Values(PointerCase{"SlashS", {"/s"}, {"hide", "show"}},
                      PointerCase{"DashCapitalS", {"-S"}, {"hide", "show"}},
                      // An empty command line leaves the pointer alone.
                      PointerCase{"Empty", {}, {}}),
    [](const ::testing::TestParamInfo<PointerCase>& info) { return info.param.name; });

TEST_F(SaverRunTest, WavMusicLoopsUntilTheRunEnds) {
  WriteTone(File("b.wav"), 500, 0.25);
  WriteSettings(2, File("b.wav"));
  auto frontEnd = StartRun();
  const long early = SoundBytes();
  Pause(1500);
  EXPECT_GT(SoundBytes(), early);
  EndRunByKey(*frontEnd, kFollowWithMusicMs);
  EXPECT_TRUE(SoundStaysStill(300));

  // The file repeats without a gap for the whole run.
  const std::vector<SoundWindow> windows = Heard(500);
  const std::vector<int> stretches = LoudStretches(windows);
  ASSERT_EQ(stretches.size(), 1u);
  EXPECT_GT(stretches[0] * kWindowSeconds, 1.5);
  for (const SoundWindow& window : windows) {
    if (window.rms > kLoud) {
      EXPECT_EQ(window.strongestHertz, 500);
    }
  }
}

TEST_F(SaverRunTest, Mp3MusicIsRestartedByItsTimerUntilTheRunEnds) {
  WriteTone(File("tone.wav"), 700, 0.3);
  ASSERT_TRUE(musictest::EncodeMp3(File("tone.wav"), File("b.Mp3")));
  WriteSettings(2, File("b.Mp3"));
  auto frontEnd = StartRun();
  Pause(3000);
  EndRunByKey(*frontEnd, kFollowWithMusicMs);
  EXPECT_TRUE(SoundStaysStill(300));

  // The file is short: each second's timer tick starts it again after a pause.
  const std::vector<SoundWindow> windows = Heard(700);
  EXPECT_GE(LoudStretches(windows).size(), 3u);
  for (const SoundWindow& window : windows) {
    if (window.rms > kLoud) {
      EXPECT_EQ(window.strongestHertz, 700);
    }
  }
}

TEST_F(SaverRunTest, OtherMusicFilesAndACdWithoutDrivePlayNothing) {
  WriteTone(File("b.mid"), 600, 1.0);  // any content: the name decides
  for (int mode : {2, 1}) {
    WriteSettings(mode, File("b.mid"));
    auto frontEnd = StartRun();
    Pause(500);
    EndRunByKey(*frontEnd);
    EXPECT_TRUE(AllSilent(Heard(600))) << "mode " << mode;
    std::filesystem::remove(File("sound.raw"));
  }
}

TEST_F(SaverRunTest, ARendererKilledOutrightEndsTheRunAndItsMusic) {
  WriteTone(File("b.wav"), 500, 0.25);
  WriteSettings(2, File("b.wav"));
  auto frontEnd = StartRun();
  const std::vector<pid_t> renderers = RendererProcesses();
  ASSERT_EQ(renderers.size(), 1u);
  EXPECT_FALSE(SoundStaysStill(200));
  kill(renderers[0], SIGKILL);
  const int followMs = MillisecondsFromWindowGoneToEnd(*frontEnd);
  EXPECT_GE(followMs, 0);
  EXPECT_LE(followMs, kFollowWithMusicMs);
  RecordProperty("follow_ms", followMs);
  EXPECT_EQ(frontEnd->WaitExit(0), 0);
  EXPECT_TRUE(SoundStaysStill(300));
}

TEST_F(SaverRunTest, EveryOtherStartEndsAtOnceWhileARunIsOn) {
  auto frontEnd = StartRun();
  for (const std::vector<std::string>& args :
       {std::vector<std::string>{"/s"}, std::vector<std::string>{},
        std::vector<std::string>{"/c"}, std::vector<std::string>{"/p", "0"}}) {
    const std::string name = args.empty() ? "(empty)" : args[0];
    const Clock::time_point start = Clock::now();
    auto other = StartFrontEnd(args);
    EXPECT_EQ(other->WaitExit(kQuickEndMs), 0) << name;
    RecordProperty("second_start_ms_" + name, MillisecondsSince(start));
    EXPECT_EQ(RendererProcesses().size(), 1u) << name;
    EXPECT_EQ(ShownWindowTitles(), std::vector<std::string>{names::kRendererTitle}) << name;
    EXPECT_TRUE(PointerCalls(other->Pid()).empty()) << name;
  }
  EXPECT_TRUE(frontEnd->Running());
  EndRunByKey(*frontEnd);
}

TEST_F(SaverRunTest, AnotherWindowWithTheRenderersTitleHoldsTheRunUntilItGoes) {
  auto frontEnd = StartRun();
  Window other = XCreateSimpleWindow(display_, DefaultRootWindow(display_), 0, 0, 10, 10, 0, 0, 0);
  XStoreName(display_, other, names::kRendererTitle);
  XSync(display_, False);
  PressKey();
  ASSERT_TRUE(testsupport::WaitUntil([&] { return RendererProcesses().empty(); }, 10000));
  Pause(500);
  EXPECT_TRUE(frontEnd->Running());

  XDestroyWindow(display_, other);
  XSync(display_, False);
  const Clock::time_point gone = Clock::now();
  ASSERT_TRUE(frontEnd->WaitExit(5000).has_value());
  EXPECT_LE(MillisecondsSince(gone), kFollowMs);
  EXPECT_EQ(frontEnd->WaitExit(0), 0);
}

TEST_F(SaverRunTest, ARendererSlowToShowItsWindowIsWaitedFor) {
  std::filesystem::copy_file(File(names::kRendererFile), File("renderer.real"));
  ReplaceRenderer("sleep 2\nexec \"$(dirname \"$0\")/renderer.real\"\n");
  auto frontEnd = StartFrontEnd({"/s"});
  Pause(1500);
  EXPECT_EQ(platform::FindTopLevelWindow(display_, names::kRendererTitle), None);
  EXPECT_TRUE(frontEnd->Running());
  ASSERT_NE(WaitForRenderer(), None);
  Pause(500);
  EndRunByKey(*frontEnd);
}

TEST_F(SaverRunTest, ARendererThatNeverShowsAWindowEndsTheRunAfterTenSeconds) {
  ReplaceRenderer("exec sleep 60\n");
  const Clock::time_point start = Clock::now();
  auto frontEnd = StartFrontEnd({"/s"});
  ASSERT_TRUE(frontEnd->WaitExit(15000).has_value());
  const int endedMs = MillisecondsSince(start);
  RecordProperty("ended_ms", endedMs);
  EXPECT_GE(endedMs, 10000);
  EXPECT_LE(endedMs, 12000);
  EXPECT_EQ(frontEnd->WaitExit(0), 0);
  EXPECT_EQ(PointerCalls(frontEnd->Pid()), (std::vector<std::string>{"hide", "show"}));
}

TEST_F(SaverRunTest, ARendererThatCannotBeStartedEndsTheRunAtOnce) {
  std::filesystem::permissions(File(names::kRendererFile), std::filesystem::perms::owner_read |
                                                             std::filesystem::perms::group_read);
  auto frontEnd = StartFrontEnd({"/s"});
  EXPECT_EQ(frontEnd->WaitExit(kQuickEndMs), 0);
}

}  // namespace
}  // namespace savertest

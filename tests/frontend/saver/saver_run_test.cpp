#include "tests/frontend/saver/saver_session.h"

#include <signal.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <thread>

#include "frontend/saver/renderer_watch.h"
#include "platform/shared_names.h"
#include "platform/window_search.h"
#include "tests/support/x_wait.h"

using namespace veyora::frontend;

namespace savertest {
namespace {

using Clock = std::chrono::steady_clock;
using musictest::SoundWindow;

constexpr int kEndMs = 60000;
constexpr double kWindowSeconds = 0.05;
constexpr double kLoud = 2000;  // the test tones have an RMS of about 7000
constexpr double kSilent = 50;

class SaverRunTest : public SaverSession {
 protected:
  // Starts a run and waits until the renderer's window has the focus.
  std::unique_ptr<testsupport::ChildProcess> StartRun(const std::vector<std::string>& args = {
                                                          "/s"}) {
    auto frontEnd = StartFrontEnd(args);
    EXPECT_NE(WaitForRenderer(), None);
    return frontEnd;
  }

  // Ends a run the way the user does; the front end follows with status 0.
  void EndRunByKey(testsupport::ChildProcess& frontEnd) {
    PressKey();
    EXPECT_EQ(FrontEndEndAfterRenderer(frontEnd), 0);
  }

  std::vector<SoundWindow> Heard(double hertz) const {
    return musictest::Analyse(musictest::ReadRawSamples(File("sound.raw")), kWindowSeconds,
                              {hertz / 2, hertz, hertz * 2});
  }

  // Stretches of loud sound, in windows, in the order heard; every loud window
  // must carry the one tone played.
  static std::vector<int> LoudStretches(const std::vector<SoundWindow>& windows, double hertz) {
    std::vector<int> stretches;
    bool inStretch = false;
    for (const SoundWindow& window : windows) {
      const bool loud = window.rms > kLoud;
      if (loud && !inStretch) stretches.push_back(0);
      if (loud) {
        ++stretches.back();
        EXPECT_EQ(window.strongestHertz, hertz);
      }
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
};

struct PointerCase {
  std::string name;
  std::vector<std::string> args;
  std::vector<std::string> pointerCalls;
};

void PrintTo(const PointerCase& run, std::ostream* out) { *out << run.name; }

class SaverRunPointerTest : public SaverRunTest,
                            public ::testing::WithParamInterface<PointerCase> {};

TEST_P(SaverRunPointerTest, StaysHiddenAndEndsAfterTheRenderer) {
  auto frontEnd = StartFrontEnd(GetParam().args);
  const Window saver = testsupport::WaitForWindow(display_, names::kSaverTitle, kEndMs);
  ASSERT_NE(saver, None);
  ASSERT_NE(WaitForRenderer(), None);
  XWindowAttributes attributes{};
  ASSERT_TRUE(XGetWindowAttributes(display_, saver, &attributes));
  EXPECT_EQ(attributes.map_state, IsUnmapped);
  // Nothing of the front end on screen: the renderer keeps the focus.
  EXPECT_EQ(ShownWindowTitles(), std::vector<std::string>{names::kRendererTitle});
  EXPECT_EQ(RendererProcesses().size(), 1u);

  EndRunByKey(*frontEnd);
  EXPECT_EQ(PointerCalls(frontEnd->Pid()), GetParam().pointerCalls);
}

INSTANTIATE_TEST_SUITE_P(Switches, SaverRunPointerTest,
                         ::testing::Values(PointerCase{"SlashS", {"/s"}, {"hide", "show"}},
                                           PointerCase{"DashCapitalS", {"-S"}, {"hide", "show"}},
                                           // An empty command line leaves the pointer alone.
                                           PointerCase{"Empty", {}, {}}),
                         [](const ::testing::TestParamInfo<PointerCase>& info) {
                           return info.param.name;
                         });

TEST_F(SaverRunTest, WavMusicLoopsWithoutAGapUntilTheRunEnds) {
  WriteTone(File("b.wav"), 500, 0.25);
  WriteSettings(2, File("b.wav"));
  auto frontEnd = StartRun();
  ASSERT_TRUE(WaitForSound(1.5));
  EndRunByKey(*frontEnd);
  const std::vector<int> stretches = LoudStretches(Heard(500), 500);
  ASSERT_EQ(stretches.size(), 1u);
  EXPECT_GT(stretches[0] * kWindowSeconds, 1.5);
}

TEST_F(SaverRunTest, Mp3MusicIsRestartedByItsTimerUntilTheRunEnds) {
  WriteTone(File("tone.wav"), 700, 0.3);
  ASSERT_TRUE(musictest::EncodeMp3(File("tone.wav"), File("b.Mp3")));
  WriteSettings(2, File("b.Mp3"));
  auto frontEnd = StartRun();
  // The file is short: each second's timer tick starts it again after a pause.
  ASSERT_TRUE(
      testsupport::WaitUntil([&] { return LoudStretches(Heard(700), 700).size() >= 3; }, kEndMs));
  EndRunByKey(*frontEnd);
}

TEST_F(SaverRunTest, OtherMusicFilesAndACdWithoutDrivePlayNothing) {
  WriteTone(File("b.mid"), 600, 1.0);  // any content: the name decides
  for (int mode : {2, 1}) {
    WriteSettings(mode, File("b.mid"));
    auto frontEnd = StartRun();
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
  ASSERT_TRUE(WaitForSound(0.2));
  kill(renderers[0], SIGKILL);
  EXPECT_EQ(FrontEndEndAfterRenderer(*frontEnd), 0);
}

TEST_F(SaverRunTest, EveryOtherStartEndsAtOnceWhileARunIsOn) {
  auto frontEnd = StartRun();
  for (const std::vector<std::string>& args :
       {std::vector<std::string>{"/s"}, std::vector<std::string>{}, std::vector<std::string>{"/c"},
        std::vector<std::string>{"/p", "0"}}) {
    const std::string name = args.empty() ? "(empty)" : args[0];
    auto other = StartFrontEnd(args);
    EXPECT_EQ(other->WaitExit(kEndMs), 0) << name;
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
  ASSERT_TRUE(testsupport::WaitUntil([&] { return RendererProcesses().empty(); }, kEndMs));
  // Many of the watch's checks later, the run still goes on.
  EXPECT_FALSE(frontEnd->WaitExit(1000).has_value());

  XDestroyWindow(display_, other);
  XSync(display_, False);
  EXPECT_EQ(frontEnd->WaitExit(kEndMs), 0);
}

TEST_F(SaverRunTest, ARendererSlowToShowItsWindowIsWaitedFor) {
  std::filesystem::copy_file(File(names::kRendererFile), File("renderer.real"));
  // The stand-in starts the real renderer only once the test lets it.
  ReplaceRenderer(
      "cd \"$(dirname \"$0\")\"\nwhile [ ! -e go ]; do sleep 0.05; done\nexec ./renderer.real\n");
  auto frontEnd = StartFrontEnd({"/s"});
  ASSERT_NE(testsupport::WaitForWindow(display_, names::kSaverTitle, kEndMs), None);
  EXPECT_FALSE(frontEnd->WaitExit(1000).has_value());
  std::ofstream(File("go")) << "";
  ASSERT_NE(WaitForRenderer(), None);
  EndRunByKey(*frontEnd);
}

class SaverSignalTest : public SaverRunTest, public ::testing::WithParamInterface<int> {};

TEST_P(SaverSignalTest, EndsTheRunWithTheRendererTheMusicAndThePointer) {
  WriteTone(File("b.wav"), 500, 0.25);
  WriteSettings(2, File("b.wav"));
  auto frontEnd = StartRun();
  ASSERT_TRUE(WaitForSound(0.2));
  frontEnd->Signal(GetParam());
  EXPECT_EQ(frontEnd->WaitExit(kEndMs), 0);
  EXPECT_TRUE(testsupport::WaitUntil([&] { return RendererProcesses().empty(); }, kEndMs));
  EXPECT_EQ(PointerCalls(frontEnd->Pid()), (std::vector<std::string>{"hide", "show"}));
}

INSTANTIATE_TEST_SUITE_P(Signals, SaverSignalTest, ::testing::Values(SIGTERM, SIGINT, SIGHUP));

TEST_F(SaverRunTest, ARendererWhoseFrontEndIsKilledOutrightEnds) {
  auto frontEnd = StartRun();
  ASSERT_EQ(RendererProcesses().size(), 1u);
  frontEnd->Signal(SIGKILL);
  EXPECT_TRUE(testsupport::WaitUntil([&] { return RendererProcesses().empty(); }, kEndMs));
}

TEST_F(SaverRunTest, OfTwoRunsStartedAtTheSameMomentExactlyOneGoesOn) {
  for (int attempt = 0; attempt < 3; ++attempt) {
    auto first = StartFrontEnd({"/s"});
    auto second = StartFrontEnd({"/s"});
    ASSERT_TRUE(
        testsupport::WaitUntil([&] { return !first->Running() || !second->Running(); }, kEndMs));
    ASSERT_NE(WaitForRenderer(), None);
    EXPECT_EQ(RendererProcesses().size(), 1u);
    testsupport::ChildProcess& running = first->Running() ? *first : *second;
    EXPECT_TRUE(running.Running());
    EndRunByKey(running);
  }
}

TEST_F(SaverRunTest, ProgramsStartedWithTheirStandardStreamsClosedOpenThemOnDevNull) {
  std::map<std::string, std::string> environment = SessionEnvironment();
  environment["XDG_RUNTIME_DIR"] = folder_.Path();  // the front end's lock file goes here
  for (const std::string& program : {File(names::kFrontEndFile), File(names::kRendererFile)}) {
    // As xautolock starts its locker: standard output and error closed, input too.
    testsupport::ChildProcess run("/bin/sh", {"-c", "exec 0<&- 1>&- 2>&-; exec \"$0\" /s", program},
                                  environment);
    ASSERT_NE(WaitForRenderer(), None) << program;
    for (const char* fd : {"0", "1", "2"}) {
      EXPECT_EQ(std::filesystem::read_symlink("/proc/" + std::to_string(run.Pid()) + "/fd/" + fd),
                "/dev/null");
    }
    PressKey();
    EXPECT_EQ(run.WaitExit(kEndMs), 0) << program;
  }
  const std::string display = server_.Display().substr(server_.Display().find(':') + 1);
  const std::string lockFile = File("veyora-saver--" + display + ".lock");
  ASSERT_TRUE(std::filesystem::exists(lockFile));
  EXPECT_EQ(testsupport::ReadBytes(lockFile), "");
}

TEST_F(SaverRunTest, ARendererThatEndsAtOnceEndsTheRunAtTheNextCheck) {
  ReplaceRenderer("exit 0\n");
  const Clock::time_point start = Clock::now();
  auto frontEnd = StartFrontEnd({"/s"});
  EXPECT_EQ(frontEnd->WaitExit(kEndMs), 0);
  // The grace period for a slow window is not waited out.
  EXPECT_LT(Clock::now() - start, RendererWatch::kAppearanceLimit);
  EXPECT_EQ(PointerCalls(frontEnd->Pid()), (std::vector<std::string>{"hide", "show"}));
}

TEST_F(SaverRunTest, ARendererThatCannotBeStartedEndsTheRunAtOnce) {
  std::filesystem::permissions(File(names::kRendererFile), std::filesystem::perms::owner_read |
                                                               std::filesystem::perms::group_read);
  const Clock::time_point start = Clock::now();
  auto frontEnd = StartFrontEnd({"/s"});
  EXPECT_EQ(frontEnd->WaitExit(kEndMs), 0);
  // No grace period is given to a renderer that never started.
  EXPECT_LT(Clock::now() - start, RendererWatch::kAppearanceLimit);
}

}  // namespace
}  // namespace savertest

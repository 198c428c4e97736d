#include <gtest/gtest.h>
#include <signal.h>
#include <sys/stat.h>

#include <chrono>
#include <filesystem>
#include <memory>
#include <string>
#include <thread>
#include <utility>
#include <vector>

#include "platform/shared_names.h"
#include "tests/frontend/music/support/test_audio.h"
#include "tests/frontend/saver/saver_settings_file.h"
#include "tests/frontend/saver/sound_output.h"
#include "tests/renderer/screen_pixels.h"
#include "tests/support/child_process.h"
#include "tests/support/sway_session.h"
#include "tests/support/temporary_folder.h"
#include "tests/support/weston_session.h"
#include "tests/support/x_wait.h"

namespace savertest {
namespace {

using testsupport::CompositorSession;

constexpr int kShowMs = 60000;
constexpr int kEndMs = 60000;

// Both programs copied into a folder of the session account's own, with settings
// that play a looping WAV tone to SDL's "disk" sound output there.
class SaverWaylandTest : public ::testing::Test {
 protected:
  void Prepare(const CompositorSession& session) {
    ASSERT_TRUE(session.Running()) << session.Log();
    folder_ = session.Home() + "/programs";
    ASSERT_TRUE(std::filesystem::create_directory(folder_));
    for (const auto& program : {testsupport::FrontEndPath(), testsupport::RendererPath()}) {
      std::filesystem::copy_file(
          program, folder_ + "/" + std::filesystem::path(program).filename().string());
    }
    ASSERT_TRUE(musictest::WriteWav(File("tone.wav"), musictest::Tone(440, 1.0)));
    WriteSaverSettings(File(names::kSettingsFile), 2, File("tone.wav"));
    for (const auto& entry : std::filesystem::directory_iterator(folder_)) {
      ASSERT_TRUE(session.GiveToSession(entry.path()));
    }
    ASSERT_TRUE(session.GiveToSession(folder_));
  }

  std::unique_ptr<testsupport::ChildProcess> StartSaver(const CompositorSession& session) {
    return session.Start(File(names::kFrontEndFile), {"/s"},
                         {{"SDL_AUDIODRIVER", "disk"},
                          {"SDL_DISKAUDIOFILE", File("sound.raw")},
                          {"VEYORA_CDROM", File("no-such-disc.cue")}});
  }

  // Covers each output of `session` with its glow and plays its music until a key
  // ends it and its music, leaving no renderer behind.
  void RunUntilAKey(const testsupport::SwaySession& session) {
    auto frontEnd = StartSaver(session);
    for (const std::string& output : session.Outputs()) {
      EXPECT_TRUE(veyora::testing::ShowsMovingGlow(
          [&] { return session.Screenshot(output).pixels; },
          testsupport::SwaySession::kOutputWidth * testsupport::SwaySession::kOutputHeight,
          kShowMs))
          << output;
    }
    EXPECT_TRUE(SoundPlays());
    // Still up 10 s on: the run never ends by itself.
    ASSERT_FALSE(frontEnd->WaitExit(10000).has_value());
    ASSERT_TRUE(RendererRuns());

    ASSERT_TRUE(session.TypeKey());
    EXPECT_EQ(frontEnd->WaitExit(kEndMs), 0);
    EXPECT_TRUE(testsupport::WaitUntil([&] { return !RendererRuns(); }, kEndMs));
    const long soundAtEnd = SoundBytes();
    std::this_thread::sleep_for(std::chrono::seconds(1));
    EXPECT_EQ(SoundBytes(), soundAtEnd);
  }

  std::string File(const std::string& name) const { return folder_ + "/" + name; }
  bool RendererRuns() const {
    return !testsupport::RunningProcessesOf(File(names::kRendererFile)).empty();
  }
  long SoundBytes() const { return savertest::SoundFileBytes(File("sound.raw")); }
  // True when the sound output grows by a second's worth within the deadline.
  bool SoundPlays() const { return savertest::WaitForSoundFile(File("sound.raw"), 1.0, kShowMs); }

  std::string folder_;
};

TEST_F(SaverWaylandTest, OnSwayItCoversEachOutputWithItsGlowUntilAKeyEndsItAndItsMusic) {
  testsupport::SwaySession session;
  Prepare(session);
  RunUntilAKey(session);
}

// Without any X server: the run and its music as with XWayland; the modes that draw
// in other programs' X11 windows say that they need an X display.
TEST_F(SaverWaylandTest, OnSwayWithoutAnXServerItRunsTheSameAndTheX11ModesSayTheyNeedOne) {
  testsupport::SwaySession session(2, testsupport::SwaySession::XWayland::Disabled);
  Prepare(session);
  RunUntilAKey(session);
  // SIGTERM ends a run at once, its renderer with it.
  auto frontEnd = StartSaver(session);
  ASSERT_TRUE(testsupport::WaitUntil([&] { return RendererRuns(); }, kShowMs));
  frontEnd->Signal(SIGTERM);
  EXPECT_EQ(frontEnd->WaitExit(kEndMs), 0);
  EXPECT_TRUE(testsupport::WaitUntil([&] { return !RendererRuns(); }, kEndMs));

  const std::string log = File("x11-modes.log");
  const std::pair<std::vector<std::string>, std::string> x11Modes[] = {
      {{"/p", "1234"}, ""}, {{"-window-id", "42"}, ""}, {{"-root"}, "42"}};
  for (const auto& [args, hostWindow] : x11Modes) {
    std::vector<std::string> shell = {"-c", "exec \"$0\" \"$@\" 2>\"$MODE_LOG\"",
                                      File(names::kFrontEndFile)};
    shell.insert(shell.end(), args.begin(), args.end());
    auto mode =
        session.Start("/bin/sh", shell, {{"MODE_LOG", log}, {"XSCREENSAVER_WINDOW", hostWindow}});
    EXPECT_EQ(mode->WaitExit(kEndMs), 1) << args[0];
    EXPECT_NE(testsupport::ReadBytes(log).find("needs an X display"), std::string::npos)
        << args[0] << ": " << testsupport::ReadBytes(log);
  }
}

TEST_F(SaverWaylandTest, OnWestonItRunsUntilEndedAndNeverEndsByItself) {
  testsupport::WestonSession session;
  Prepare(session);
  auto frontEnd = StartSaver(session);
  ASSERT_TRUE(testsupport::WaitUntil([&] { return RendererRuns(); }, kShowMs));
  EXPECT_TRUE(SoundPlays());
  // Still up 10 s on: the run never ends by itself.
  ASSERT_FALSE(frontEnd->WaitExit(10000).has_value());
  ASSERT_TRUE(RendererRuns());

  frontEnd->Signal(SIGTERM);
  EXPECT_EQ(frontEnd->WaitExit(kEndMs), 0);
  EXPECT_TRUE(testsupport::WaitUntil([&] { return !RendererRuns(); }, kEndMs));
}

}  // namespace
}  // namespace savertest

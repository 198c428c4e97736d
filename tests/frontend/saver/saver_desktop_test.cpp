// The screensaver run on the real desktops' shells, headless: GNOME Shell 43 in its
// Activities overview, with its lock screen and with a monitor gone and back, KWin
// 5.27 with its screen locker.
#include <gtest/gtest.h>

#include <fcntl.h>
#include <unistd.h>

#include <chrono>
#include <filesystem>
#include <functional>
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
#include "tests/support/gnome_shell_session.h"
#include "tests/support/kwin_session.h"
#include "tests/support/temporary_folder.h"
#include "tests/support/x_wait.h"

namespace savertest {
namespace {

using testsupport::ChildProcess;
using testsupport::CompositorSession;
using testsupport::WaitUntil;

constexpr int kDeadlineMs = 60000;

// The programs as a user of the session has them: copied into a folder of the
// account's own, with settings that loop a tone to SDL's "disk" sound output there,
// each run's standard error in a file of its own.
class DesktopPrograms {
 public:
  explicit DesktopPrograms(const CompositorSession& session)
      : session_(session), folder_(session.Home() + "/veyora") {
    std::filesystem::create_directory(folder_);
    for (const std::string& program : {testsupport::FrontEndPath(), testsupport::RendererPath()}) {
      std::filesystem::copy_file(program, File(std::filesystem::path(program).filename().string()));
    }
    ready_ = musictest::WriteWav(File("tone.wav"), musictest::Tone(440, 1.0));
    WriteSaverSettings(File(names::kSettingsFile), 2, File("tone.wav"));
    for (const auto& entry : std::filesystem::directory_iterator(folder_)) {
      ready_ = session.GiveToSession(entry.path()) && ready_;
    }
    ready_ = session.GiveToSession(folder_) && ready_;
  }

  bool Ready() const { return ready_; }
  std::string File(const std::string& name) const { return folder_ + "/" + name; }

  // `/s`, as a key binding or an idle runner starts it.
  std::unique_ptr<ChildProcess> StartSaver() {
    const std::string log = File("saver-" + std::to_string(++runs_) + ".log");
    return session_.Start("/bin/sh",
                          {"-c", "exec \"$0\" /s 2>\"$SAVER_LOG\"", File(names::kFrontEndFile)},
                          {{"SAVER_LOG", log},
                           {"SDL_AUDIODRIVER", "disk"},
                           {"SDL_DISKAUDIOFILE", File("sound.raw")},
                           {"VEYORA_CDROM", File("no-such-disc.cue")}});
  }
  // What the last run wrote on standard error.
  std::string LastLog() const {
    return testsupport::ReadBytes(File("saver-" + std::to_string(runs_) + ".log"));
  }

  bool RendererRuns() const {
    return !testsupport::RunningProcessesOf(File(names::kRendererFile)).empty();
  }
  bool SoundPlays() const { return WaitForSoundFile(File("sound.raw"), 1.0, kDeadlineMs); }
  long SoundBytes() const { return SoundFileBytes(File("sound.raw")); }

 private:
  const CompositorSession& session_;
  std::string folder_;
  int runs_ = 0;
  bool ready_ = false;
};

// Share of the screen's pixels that are black or nearly.
double DarkShare(const testsupport::Picture& picture) {
  if (picture.pixels.empty()) return 0;
  size_t dark = 0;
  for (unsigned long pixel : picture.pixels) {
    const unsigned long r = (pixel >> 16) & 0xff, g = (pixel >> 8) & 0xff, b = pixel & 0xff;
    if (r < 16 && g < 16 && b < 16) ++dark;
  }
  return static_cast<double>(dark) / static_cast<double>(picture.pixels.size());
}

// The columns of `picture` from `left`, `width` wide.
testsupport::Picture Columns(const testsupport::Picture& picture, int left, int width) {
  testsupport::Picture part{width, picture.height, {}};
  for (int row = 0; row < picture.height; ++row) {
    const auto start = picture.pixels.begin() + row * picture.width + left;
    part.pixels.insert(part.pixels.end(), start, start + width);
  }
  return part;
}

// Whether, with `monitors` side by side, monitor `monitor` shows a run's glow moving
// on a picture mostly black (as the desktop is not).
bool GlowMovesOn(const testsupport::GnomeShellSession& session, int monitors, int monitor) {
  constexpr int kWidth = testsupport::GnomeShellSession::kOutputWidth;
  constexpr int kHeight = testsupport::GnomeShellSession::kOutputHeight;
  const auto capture = [&]() -> std::vector<unsigned long> {
    const testsupport::Picture shot = session.Screenshot();
    if (shot.width != monitors * kWidth) return {};
    testsupport::Picture shown = Columns(shot, monitor * kWidth, kWidth);
    if (DarkShare(shown) <= 0.6) return {};
    return std::move(shown.pixels);
  };
  return veyora::testing::ShowsMovingGlow(capture, kWidth * kHeight, kDeadlineMs);
}

// Starts a run and waits until it shows on the whole monitor: most of it black but
// for the glow (the overview, grey all over, has next to nothing black), and the
// overview gone.
std::unique_ptr<ChildProcess> StartCoveringRun(const testsupport::GnomeShellSession& session,
                                               DesktopPrograms& programs) {
  auto saver = programs.StartSaver();
  testsupport::Picture shown;
  EXPECT_TRUE(WaitUntil(
      [&] {
        shown = session.Screenshot();
        return DarkShare(shown) > 0.6;
      },
      kDeadlineMs, 500))
      << "dark share " << DarkShare(shown) << "; " << programs.LastLog();
  EXPECT_EQ(session.OverviewShown(), false);
  return saver;
}

// Gives the input until the run ends. Under load, the screen can be covered before
// mutter hands the renderer the keyboard or the pointer, and input given before that
// goes to the shell, as a user's would, or only tells the renderer where the pointer
// rests; what follows ends the run.
void EndByRepeated(const std::function<bool()>& input, ChildProcess& saver) {
  EXPECT_TRUE(WaitUntil([&] { return input() && saver.WaitExit(1000).has_value(); }, kDeadlineMs))
      << "no input ended the run";
}

// The run ended, and nothing of it is left: no renderer, no music.
void ExpectEndedWithNothingLeft(ChildProcess& saver, const DesktopPrograms& programs) {
  EXPECT_EQ(saver.WaitExit(kDeadlineMs), 0) << programs.LastLog();
  EXPECT_TRUE(WaitUntil([&] { return !programs.RendererRuns(); }, kDeadlineMs));
  const long soundAtEnd = programs.SoundBytes();
  std::this_thread::sleep_for(std::chrono::seconds(1));
  EXPECT_EQ(programs.SoundBytes(), soundAtEnd);
}

// `/s` while the session is locked: status 0 at once, a line saying why, and no
// renderer or music.
void ExpectNoRunWhileLocked(DesktopPrograms& programs, const char* lockSource) {
  const long soundBefore = programs.SoundBytes();
  auto saver = programs.StartSaver();
  EXPECT_EQ(saver->WaitExit(kDeadlineMs), 0);
  EXPECT_NE(programs.LastLog().find(std::string("locked or its shield is up (") + lockSource),
            std::string::npos)
      << programs.LastLog();
  EXPECT_FALSE(programs.RendererRuns());
  EXPECT_EQ(programs.SoundBytes(), soundBefore);
}

TEST(SaverDesktopTest, InGnomeShellsOverviewAndAppGridARunCoversTheScreenAndInputEndsIt) {
  testsupport::GnomeShellSession session;
  ASSERT_TRUE(session.Running()) << session.Log();
  DesktopPrograms programs(session);
  ASSERT_TRUE(programs.Ready());

  // As after log-in: the overview, its search field holding the keyboard.
  ASSERT_EQ(session.OverviewShown(), true);
  auto saver = StartCoveringRun(session, programs);
  EXPECT_TRUE(programs.SoundPlays());
  EndByRepeated([&] { return session.TypeKeys({0x61}); }, *saver);
  {
    SCOPED_TRACE("a key in the overview");
    ExpectEndedWithNothingLeft(*saver, programs);
  }

  // The application grid is part of the overview; a movement ends the run there.
  ASSERT_TRUE(session.ShowApplications());
  ASSERT_TRUE(WaitUntil([&] { return session.OverviewShown() == true; }, kDeadlineMs, 100));
  saver = StartCoveringRun(session, programs);
  // To and fro, so that the pointer never rests against an edge.
  int direction = 1;
  EndByRepeated(
      [&] {
        direction = -direction;
        return session.MovePointer(40 * direction, 30 * direction);
      },
      *saver);
  SCOPED_TRACE("a movement in the application grid");
  ExpectEndedWithNothingLeft(*saver, programs);
}

// GNOME Shell without XWayland (mutter's --no-x11): the run needs no X server.
TEST(SaverDesktopTest, OnGnomeShellWithoutAnXServerARunCoversTheScreenUntilAKey) {
  testsupport::GnomeShellSession session(CompositorSession::XWayland::Disabled);
  ASSERT_TRUE(session.Running()) << session.Log();
  DesktopPrograms programs(session);
  ASSERT_TRUE(programs.Ready());
  auto saver = StartCoveringRun(session, programs);
  EXPECT_TRUE(programs.SoundPlays());
  EndByRepeated([&] { return session.TypeKeys({0x61}); }, *saver);
  ExpectEndedWithNothingLeft(*saver, programs);
}

// A monitor turned off during a run on GNOME Shell, as one unplugged: its output
// goes, and the run goes on on the one left. Turned on again, it gets a glow of its
// own, and input still ends the run.
TEST(SaverDesktopTest, OnGnomeShellAMonitorGoneAndBackDuringARunGetsItsGlowAgain) {
  testsupport::GnomeShellSession session(CompositorSession::XWayland::Enabled, 2);
  ASSERT_TRUE(session.Running()) << session.Log();
  DesktopPrograms programs(session);
  ASSERT_TRUE(programs.Ready());
  auto saver = StartCoveringRun(session, programs);
  ASSERT_TRUE(GlowMovesOn(session, 2, 1));

  ASSERT_TRUE(session.UseMonitors(1));
  EXPECT_TRUE(GlowMovesOn(session, 1, 0));
  ASSERT_TRUE(saver->Running()) << programs.LastLog();

  ASSERT_TRUE(session.UseMonitors(2));
  EXPECT_TRUE(GlowMovesOn(session, 2, 1));
  EXPECT_TRUE(GlowMovesOn(session, 2, 0));
  ASSERT_TRUE(saver->Running()) << programs.LastLog();

  EndByRepeated([&] { return session.TypeKeys({0x61}); }, *saver);
  ExpectEndedWithNothingLeft(*saver, programs);
}

// A run the session's lock ends, then `/s` while the lock is up, on a desktop
// whose locker tells of its lock through `lockSource`.
template <class Session>
void CheckTheLockEndsARunAndNoRunStartsOverIt(const char* lockSource) {
  Session session;
  ASSERT_TRUE(session.Running()) << session.Log();
  DesktopPrograms programs(session);
  ASSERT_TRUE(programs.Ready());

  auto saver = programs.StartSaver();
  ASSERT_TRUE(WaitUntil([&] { return programs.RendererRuns(); }, kDeadlineMs));
  ASSERT_TRUE(programs.SoundPlays());
  // Ended by the lock's word, or by the renderer itself when the lock screen takes
  // the keyboard first.
  ASSERT_TRUE(session.Lock());
  ExpectEndedWithNothingLeft(*saver, programs);

  ASSERT_TRUE(WaitUntil([&] { return session.Locked() == true; }, kDeadlineMs, 100));
  ExpectNoRunWhileLocked(programs, lockSource);
}

TEST(SaverDesktopTest, GnomeShellsLockEndsARunWithNothingLeftAndNoRunStartsOverIt) {
  CheckTheLockEndsARunAndNoRunStartsOverIt<testsupport::GnomeShellSession>(
      "GNOME's org.gnome.ScreenSaver");
}

TEST(SaverDesktopTest, KdesLockEndsARunWithNothingLeftAndNoRunStartsOverIt) {
  CheckTheLockEndsARunAndNoRunStartsOverIt<testsupport::KWinSession>("org.freedesktop.ScreenSaver");
}

}  // namespace
}  // namespace savertest

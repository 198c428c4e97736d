#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <functional>
#include <optional>
#include <thread>

#include "frontend/music/quorin05_bgm.h"
#include "frontend/music/system_music_platform.h"
#include "tests/frontend/music/support/test_audio.h"
#include "tests/support/temporary_folder.h"
#include "tests/support/x_wait.h"

namespace {

using namespace std::chrono_literals;
using musictest::SoundWindow;

constexpr double kWindow = 0.05;
constexpr double kLoud = 2000;   // the test tones have an RMS of about 7000
constexpr double kSilent = 50;
constexpr int kBytesPerSecond = musictest::kRate * 4;

// Real playback through the player and the system platform, with SDL's "disk"
// output writing what would be heard to a raw file at the pace of a sound card.
class MusicPlaybackTest : public testing::Test {
 protected:
  void SetUp() override {
    setenv("SDL_AUDIODRIVER", "disk", 1);
    setenv("SDL_DISKAUDIOFILE", folder.File("out.raw").c_str(), 1);
  }

  Quorin05_BGM& Player(int16_t track, const std::string& file) {
    player.emplace(std::make_unique<SystemMusicPlatform>(), Settings{2, track, file});
    return *player;
  }

  double SecondsWritten() const {
    std::error_code error;
    const auto bytes = std::filesystem::file_size(folder.File("out.raw"), error);
    return error ? 0 : static_cast<double>(bytes) / kBytesPerSecond;
  }
  // Waits until the output holds `more` seconds beyond what it held, calling
  // `tick` every 200 ms meanwhile, as the run's timers do.
  void PlayFor(double more, const std::function<void()>& tick = [] {}) {
    const double until = SecondsWritten() + more;
    ASSERT_TRUE(testsupport::WaitUntil(
        [&] {
          tick();
          std::this_thread::sleep_for(200ms);
          return SecondsWritten() >= until;
        },
        60000));
  }

  // Shuts the output down (which completes the file) and analyses it.
  std::vector<SoundWindow> Heard(const std::vector<double>& candidates) {
    player->Shutdown();
    return musictest::Analyse(musictest::ReadRawSamples(folder.File("out.raw")), kWindow, candidates);
  }
  static double LoudSeconds(const std::vector<SoundWindow>& windows) {
    double seconds = 0;
    for (const SoundWindow& window : windows) seconds += window.rms > kLoud ? kWindow : 0;
    return seconds;
  }
  // True when the last `seconds` of output are silent and every loud window is
  // the one tone expected.
  static bool OnlyToneThenSilence(const std::vector<SoundWindow>& windows, double hertz,
                                  double seconds) {
    auto count = static_cast<size_t>(seconds / kWindow);
    if (windows.size() < count) return false;
    for (size_t i = 0; i < windows.size(); ++i) {
      if (i >= windows.size() - count && windows[i].rms > kSilent) return false;
      if (windows[i].rms > kLoud && windows[i].strongestHertz != hertz) return false;
    }
    return true;
  }

  testsupport::TemporaryFolder folder;
  std::optional<Quorin05_BGM> player;
};

TEST_F(MusicPlaybackTest, WavLoopsUntilStopped) {
  const std::string file = folder.File("loop.wav");
  ASSERT_TRUE(musictest::WriteWav(file, musictest::Tone(500, 0.25)));
  Quorin05_BGM& music = Player(0, file);
  music.WAV_Play();
  PlayFor(1.5);
  music.WAV_Stop();
  PlayFor(0.7);
  const std::vector<SoundWindow> windows = Heard({250, 500, 1000});
  EXPECT_GT(LoudSeconds(windows), 3 * 0.25);
  EXPECT_TRUE(OnlyToneThenSilence(windows, 500, 0.4));
}

TEST_F(MusicPlaybackTest, Mp3RestartsThroughItsLoopStep) {
  const std::string wav = folder.File("tune.wav");
  const std::string file = folder.File("tune.mp3");
  ASSERT_TRUE(musictest::WriteWav(wav, musictest::Tone(700, 0.4)));
  ASSERT_TRUE(musictest::EncodeMp3(wav, file));
  Quorin05_BGM& music = Player(0, file);
  music.MP3_Play();
  PlayFor(2.5, [&] { music.MP3_Loop(); });
  music.MP3_Stop();
  PlayFor(0.7);
  const std::vector<SoundWindow> windows = Heard({350, 700, 1400});
  EXPECT_GT(LoudSeconds(windows), 2.5 * 0.4);
  EXPECT_TRUE(OnlyToneThenSilence(windows, 700, 0.4));
}

TEST_F(MusicPlaybackTest, RepeatedCdTrackKeepsSoundingAcrossItsEnd) {
  std::vector<std::vector<int16_t>> tracks = {musictest::Tone(300, 0.5), musictest::Tone(600, 0.5),
                                              musictest::Tone(1200, 0.5)};
  ASSERT_TRUE(musictest::WriteDiscImage(folder.File("disc.cue"), folder.File("disc.bin"), tracks));
  setenv("VEYORA_CDROM", folder.File("disc.cue").c_str(), 1);
  Quorin05_BGM& music = Player(3, "");
  music.CD_Open();
  PlayFor(3.0, [&] {
    music.CD_Poll();
    EXPECT_TRUE(music.CD_Polling());
  });
  music.CD_Stop();
  PlayFor(0.5);
  const std::vector<SoundWindow> windows = Heard({300, 600, 1200});
  EXPECT_GT(LoudSeconds(windows), 3 * 0.5);
  EXPECT_TRUE(OnlyToneThenSilence(windows, 1200, 0.3));
}

}  // namespace

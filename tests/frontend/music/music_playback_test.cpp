#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <thread>

#include "frontend/music/quorin05_bgm.h"
#include "frontend/music/system_music_platform.h"
#include "frontend/startup/settings.h"
#include "tests/frontend/music/support/test_audio.h"

namespace {

using namespace std::chrono_literals;
using musictest::SoundWindow;

constexpr double kWindow = 0.05;
constexpr double kLoud = 2000;   // the test tones have an RMS of about 7000
constexpr double kSilent = 50;

// Real playback through the module and the system platform, with SDL's "disk"
// output writing what would be heard to a raw file in real time.
class MusicPlaybackTest : public testing::Test {
 protected:
  void SetUp() override {
    setenv("SDL_AUDIODRIVER", "disk", 1);
    setenv("SDL_DISKAUDIOFILE", folder.File("out.raw").c_str(), 1);
    BGM_SetPlatform(platform);
  }

  // Shuts the output down (which completes the file) and analyses it.
  std::vector<SoundWindow> Heard(const std::vector<double>& candidates) {
    BGM_Shutdown();
    return musictest::Analyse(musictest::ReadRawSamples(folder.File("out.raw")), kWindow, candidates);
  }
  static double LoudSeconds(const std::vector<SoundWindow>& windows) {
    double seconds = 0;
    for (const SoundWindow& window : windows) seconds += window.rms > kLoud ? kWindow : 0;
    return seconds;
  }
  // True when the last `seconds` of output are silent.
  static bool EndsSilent(const std::vector<SoundWindow>& windows, double seconds) {
    auto count = static_cast<size_t>(seconds / kWindow);
    if (windows.size() < count) return false;
    for (size_t i = windows.size() - count; i < windows.size(); ++i) {
      if (windows[i].rms > kSilent) return false;
    }
    return true;
  }

  musictest::TempFolder folder;
  SystemMusicPlatform platform;
};

TEST_F(MusicPlaybackTest, WavLoopsUntilStopped) {
  BGM_File = folder.File("loop.wav");
  ASSERT_TRUE(musictest::WriteWav(BGM_File, musictest::Tone(500, 0.25)));
  WAV_Play();
  std::this_thread::sleep_for(1500ms);
  WAV_Stop();
  std::this_thread::sleep_for(700ms);
  std::vector<SoundWindow> windows = Heard({250, 500, 1000});

  EXPECT_GT(LoudSeconds(windows), 3 * 0.25);
  for (const SoundWindow& window : windows) {
    if (window.rms > kLoud) {
      EXPECT_EQ(window.strongestHertz, 500);
    }
  }
  EXPECT_TRUE(EndsSilent(windows, 0.4));
}

TEST_F(MusicPlaybackTest, Mp3RestartsThroughItsLoopStep) {
  std::string wav = folder.File("tune.wav");
  BGM_File = folder.File("tune.mp3");
  ASSERT_TRUE(musictest::WriteWav(wav, musictest::Tone(700, 0.4)));
  ASSERT_TRUE(musictest::EncodeMp3(wav, BGM_File));
  MP3_Play();
  for (int tick = 0; tick < 10; ++tick) {
    std::this_thread::sleep_for(250ms);
    MP3_Loop();
  }
  MP3_Stop();
  std::this_thread::sleep_for(700ms);
  std::vector<SoundWindow> windows = Heard({350, 700, 1400});

  EXPECT_GT(LoudSeconds(windows), 2.5 * 0.4);
  for (const SoundWindow& window : windows) {
    if (window.rms > kLoud) {
      EXPECT_EQ(window.strongestHertz, 700);
    }
  }
  EXPECT_TRUE(EndsSilent(windows, 0.4));
}

TEST_F(MusicPlaybackTest, RepeatedCdTrackKeepsSoundingAcrossItsEnd) {
  std::vector<std::vector<int16_t>> tracks = {musictest::Tone(300, 0.5), musictest::Tone(600, 0.5),
                                              musictest::Tone(1200, 0.5)};
  ASSERT_TRUE(musictest::WriteDiscImage(folder.File("disc.cue"), folder.File("disc.bin"), tracks));
  setenv("VEYORA_CDROM", folder.File("disc.cue").c_str(), 1);
  BGM_Track = 3;
  CD_Open();
  for (int tick = 0; tick < 15; ++tick) {
    CD_Poll();
    ASSERT_TRUE(CD_Polling);
    std::this_thread::sleep_for(200ms);
  }
  CD_Stop();
  std::this_thread::sleep_for(500ms);
  std::vector<SoundWindow> windows = Heard({300, 600, 1200});

  EXPECT_GT(LoudSeconds(windows), 3 * 0.5);
  for (const SoundWindow& window : windows) {
    if (window.rms > kLoud) {
      EXPECT_EQ(window.strongestHertz, 1200);
    }
  }
  EXPECT_TRUE(EndsSilent(windows, 0.3));
}

}  // namespace

#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <functional>
#include <thread>

#include "frontend/music/quorin05_bgm.h"
#include "frontend/music/system_music_platform.h"
#include "tests/frontend/music/support/test_audio.h"
#include "tests/support/temporary_folder.h"
#include "tests/support/x_wait.h"

using namespace veyora::frontend;

namespace {

using namespace std::chrono_literals;

constexpr double kWindow = 0.05;
constexpr double kLoud = 2000;  // the test tones have an RMS of about 7000
constexpr double kSilent = 50;
constexpr size_t kSilentWindowsAtTheEnd = 8;

// Real playback through the player and the system platform, with SDL's "disk"
// output writing what would be heard to a raw file at the pace of a sound card.
TEST(MusicPlaybackTest, EachKindOfMusicKeepsSoundingAcrossItsEndUntilStopped) {
  testsupport::TemporaryFolder folder;
  ASSERT_TRUE(musictest::WriteWav(folder.File("loop.wav"), musictest::Tone(500, 0.25)));
  ASSERT_TRUE(musictest::WriteWav(folder.File("tune.wav"), musictest::Tone(700, 0.4)));
  ASSERT_TRUE(musictest::EncodeMp3(folder.File("tune.wav"), folder.File("tune.mp3")));
  ASSERT_TRUE(musictest::WriteDiscImage(
      folder.File("disc.cue"), folder.File("disc.bin"),
      {musictest::Tone(300, 0.5), musictest::Tone(600, 0.5), musictest::Tone(1200, 0.5)}));
  setenv("VEYORA_CDROM", folder.File("disc.cue").c_str(), 1);
  setenv("SDL_AUDIODRIVER", "disk", 1);
  using Step = std::function<void(Quorin05_BGM&)>;
  struct Case {
    const char* name;
    int16_t track;
    std::string file;
    Step start, tick, stop;
    double hertz, onePass;
  };
  const Case cases[] = {
      {"wav", 0, folder.File("loop.wav"), &Quorin05_BGM::WAV_Play, [](Quorin05_BGM&) {},
       &Quorin05_BGM::WAV_Stop, 500, 0.25},
      {"mp3", 0, folder.File("tune.mp3"), &Quorin05_BGM::MP3_Play, &Quorin05_BGM::MP3_Loop,
       &Quorin05_BGM::MP3_Stop, 700, 0.4},
      {"cd track 3 of 3", 3, "", &Quorin05_BGM::CD_Open,
       [](Quorin05_BGM& music) {
         music.CD_Poll();
         EXPECT_TRUE(music.CD_Polling());
       },
       &Quorin05_BGM::CD_Stop, 1200, 0.5},
  };
  for (const Case& c : cases) {
    const std::string output = folder.File(std::string(c.name) + ".raw");
    setenv("SDL_DISKAUDIOFILE", output.c_str(), 1);
    Quorin05_BGM music(std::make_unique<SystemMusicPlatform>(), Settings{2, c.track, c.file});
    // Waits until the output holds `seconds` more, calling `tick` every 200 ms
    // meanwhile, as the run's timers do.
    const auto playFor = [&](double seconds, const Step& tick) {
      const auto written = [&] {
        std::error_code error;
        const auto bytes = std::filesystem::file_size(output, error);
        return error ? 0 : static_cast<double>(bytes) / (musictest::kRate * 4);
      };
      const double until = written() + seconds;
      ASSERT_TRUE(testsupport::WaitUntil(
          [&] {
            tick(music);
            std::this_thread::sleep_for(200ms);
            return written() >= until;
          },
          60000))
          << c.name;
    };
    c.start(music);
    playFor(6 * c.onePass, c.tick);
    c.stop(music);
    playFor(0.7, [](Quorin05_BGM&) {});
    music.Shutdown();  // completes the output file

    // The other CD tracks sound at a quarter and a half of the repeated one.
    const std::vector<musictest::SoundWindow> windows =
        musictest::Analyse(musictest::ReadRawSamples(output), kWindow,
                           {c.hertz / 4, c.hertz / 2, c.hertz, c.hertz * 2});
    ASSERT_GT(windows.size(), kSilentWindowsAtTheEnd) << c.name;
    double loudSeconds = 0;
    for (size_t i = 0; i < windows.size(); ++i) {
      const bool loud = windows[i].rms > kLoud;
      loudSeconds += loud ? kWindow : 0;
      EXPECT_TRUE(!loud || windows[i].strongestHertz == c.hertz) << c.name << " window " << i;
      const bool atTheEnd = i + kSilentWindowsAtTheEnd >= windows.size();
      EXPECT_TRUE(!atTheEnd || windows[i].rms < kSilent) << c.name << " window " << i;
    }
    // Loud for more than two passes: it went on past its end.
    EXPECT_GT(loudSeconds, 2.4 * c.onePass) << c.name;
  }
}

}  // namespace

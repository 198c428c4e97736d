#include <gtest/gtest.h>

#include <SDL2/SDL_mixer.h>
#include <sys/stat.h>

#include <cstdlib>
#include <filesystem>

#include "frontend/music/audio_output.h"
#include "frontend/music/mci_errors.h"
#include "frontend/music/mci_interpreter.h"
#include "frontend/music/wave_sound.h"
#include "tests/frontend/music/support/test_audio.h"
#include "tests/support/temporary_folder.h"
#include "tests/support/x_wait.h"

using namespace veyora::frontend;

namespace {

using TempFolder = testsupport::TemporaryFolder;

// The interpreter on SDL's silent "dummy" output, which still consumes sound
// in real time, with a three-track disc image as the CD drive. Tracks and files
// last a second, so what a test reads right after a play is still playing.
class MciInterpreterTest : public testing::Test {
 protected:
  void SetUp() override {
    setenv("SDL_AUDIODRIVER", "dummy", 1);
    std::vector<std::vector<int16_t>> tracks = {musictest::Tone(300, 1), musictest::Tone(600, 1),
                                                musictest::Tone(1200, 1)};
    ASSERT_TRUE(
        musictest::WriteDiscImage(folder.File("disc.cue"), folder.File("disc.bin"), tracks));
    setenv("VEYORA_CDROM", folder.File("disc.cue").c_str(), 1);
  }

  // Runs `command`; its status, and the reply in `reply`.
  int32_t Run(const std::string& command) {
    char buffer[64];
    std::fill(std::begin(buffer), std::end(buffer), 'x');
    int32_t status = mci.Send(command, buffer, sizeof buffer);
    reply = status == 0 ? buffer : "<unchanged>";
    return status;
  }
  std::string Reply(const std::string& command) {
    EXPECT_EQ(Run(command), 0) << command;
    return reply;
  }
  bool WaitForReply(const std::string& command, const std::string& expected) {
    return testsupport::WaitUntil([&] { return Run(command) == 0 && reply == expected; }, 60000);
  }
  int32_t OpenFile(const std::string& path, const char* type = "MPEGVideo") {
    return Run("open \"" + path + "\" type " + type + " Alias MP3Play");
  }
  std::string WavFile(const std::string& name, double seconds) {
    std::string path = folder.File(name);
    EXPECT_TRUE(musictest::WriteWav(path, musictest::Tone(440, seconds)));
    return path;
  }

  TempFolder folder;
  AudioOutput output;
  MciInterpreter mci{output};
  std::string reply;
};

TEST_F(MciInterpreterTest, CdAnswersTracksModeAndPositionsAndPlaysFromThem) {
  EXPECT_EQ(Run("open cdaudio"), 0);
  EXPECT_FALSE(output.IsOpen());  // the sound output opens only when something plays
  EXPECT_EQ(Run("set cdaudio time format tmsf"), 0);
  EXPECT_EQ(Reply("status cdaudio number of tracks"), "3");
  EXPECT_EQ(Reply("status cdaudio current track"), "1");
  EXPECT_EQ(Reply("STATUS CDAUDIO MODE"), "stopped");
  EXPECT_EQ(Reply("status cdaudio position track 3"), "03:00:00:00");

  EXPECT_EQ(Run("play cdaudio from 03:00:00:00"), 0);
  EXPECT_TRUE(output.IsOpen());
  EXPECT_EQ(Reply("status cdaudio mode"), "playing");
  EXPECT_EQ(Reply("status cdaudio current track"), "3");
  // Track 3 is the last: play ends by itself at the disc's end.
  EXPECT_TRUE(WaitForReply("status cdaudio mode", "stopped"));
  EXPECT_EQ(Reply("status cdaudio current track"), "3");

  // Play without a position at the disc's end starts the disc over.
  EXPECT_EQ(Run("play cdaudio"), 0);
  EXPECT_EQ(Reply("status cdaudio current track"), "1");
  EXPECT_TRUE(WaitForReply("status cdaudio current track", "2"));
  EXPECT_EQ(Run("stop cdaudio"), 0);
  EXPECT_EQ(Reply("status cdaudio mode"), "stopped");

  EXPECT_EQ(Run("open cdaudio"), mci_error::kDeviceOpen);
  EXPECT_EQ(Run("close cdaudio"), 0);
  EXPECT_EQ(Run("status cdaudio mode"), mci_error::kInvalidDeviceName);
}

TEST_F(MciInterpreterTest, CdRejectsPositionsAndSettingsItCannotServe) {
  ASSERT_EQ(Run("open cdaudio"), 0);
  for (const auto& [command, error] : std::vector<std::pair<std::string, int32_t>>{
           {"status cdaudio position track 4", mci_error::kOutOfRange},
           {"status cdaudio position track 0", mci_error::kOutOfRange},
           {"play cdaudio from Error:282", mci_error::kBadTimeFormat},
           {"play cdaudio from 03:00:01:00", mci_error::kOutOfRange},  // just past track 3's end
           {"set cdaudio time format milliseconds", mci_error::kBadTimeFormat}}) {
    EXPECT_EQ(Run(command), error) << command;
  }
  EXPECT_EQ(Reply("status cdaudio mode"), "stopped");
  EXPECT_EQ(Run("status cdrom mode"), mci_error::kInvalidDeviceName);
}

TEST_F(MciInterpreterTest, WithoutAUsableDiscEveryCdCommandFails) {
  ASSERT_TRUE(musictest::WriteDiscImage(folder.File("data.cue"), folder.File("data.bin"),
                                        {musictest::Tone(300, 0.4)}, true));
  for (const std::string& image : {folder.File("missing.cue"), folder.File("data.cue")}) {
    setenv("VEYORA_CDROM", image.c_str(), 1);
    EXPECT_NE(Run("open cdaudio"), 0) << image;
    for (const char* command : {"status cdaudio current track", "play cdaudio"}) {
      EXPECT_NE(Run(command), 0) << command;
      EXPECT_EQ(reply, "<unchanged>");
    }
  }
}

TEST_F(MciInterpreterTest, MediaFilePlaysStopsAndRestartsUnderItsAlias) {
  // Quotes inside a Japanese name belong to the path.
  std::string path = WavFile("曲 \"こんにちは\".wav", 1);
  ASSERT_EQ(OpenFile(path), 0);
  EXPECT_EQ(Reply("status MP3Play mode"), "stopped");
  EXPECT_EQ(Run("play mp3play"), 0);
  EXPECT_EQ(Reply("status MP3Play mode"), "playing");
  EXPECT_TRUE(WaitForReply("status MP3Play mode", "stopped"));  // ended by itself
  EXPECT_EQ(Run("stop MP3Play"), 0);
  EXPECT_EQ(Run("play MP3Play from 0"), 0);
  EXPECT_EQ(Reply("status MP3Play mode"), "playing");
  EXPECT_EQ(Run("stop MP3Play"), 0);
  EXPECT_EQ(Reply("status MP3Play mode"), "stopped");

  EXPECT_EQ(Run("play MP3Play from soon"), mci_error::kBadInteger);
  EXPECT_EQ(Run("status MP3Play current track"), mci_error::kUnsupportedFunction);
  EXPECT_EQ(Run("status Other mode"), mci_error::kInvalidDeviceName);
  EXPECT_EQ(OpenFile(path), mci_error::kDuplicateAlias);
  EXPECT_EQ(Run("close MP3Play"), 0);
  EXPECT_EQ(Run("status MP3Play mode"), mci_error::kInvalidDeviceName);
  EXPECT_EQ(OpenFile(path, "WaveAudio"), mci_error::kInvalidDeviceName);
}

TEST_F(MciInterpreterTest, BrokenMediaFilesFailQuicklyOrPlayWhatDecodes) {
  testsupport::WriteBytes(folder.File("empty.mp3"), "");
  testsupport::WriteBytes(folder.File("text.mp3"), "not a sound file at all\n");
  // A pipe must not hold the open up: the test would never end.
  ASSERT_EQ(mkfifo(folder.File("pipe.mp3").c_str(), 0600), 0);
  for (const auto& [path, error] : std::vector<std::pair<std::string, int32_t>>{
           {folder.File("missing.mp3"), mci_error::kFileNotFound},
           {folder.Path(), mci_error::kFileNotFound},
           {folder.File("pipe.mp3"), mci_error::kFileNotFound},
           {folder.File("empty.mp3"), mci_error::kInvalidFile},
           {folder.File("text.mp3"), mci_error::kInvalidFile}}) {
    EXPECT_EQ(OpenFile(path), error) << path;
  }

  // Cut in the middle of its data: plays the part that is there.
  std::string whole = WavFile("whole.wav", 0.5);
  std::filesystem::resize_file(whole, 44 + 4 * musictest::kRate / 10 + 1);
  ASSERT_EQ(OpenFile(whole), 0);
  EXPECT_EQ(Run("play MP3Play"), 0);
  EXPECT_TRUE(WaitForReply("status MP3Play mode", "stopped"));
}

TEST_F(MciInterpreterTest, WithoutSoundOutputNothingPlaysAndNothingIsCounted) {
  setenv("SDL_AUDIODRIVER", "no-such-driver", 1);
  EXPECT_EQ(output.DeviceCount(), 0);
  std::string path = WavFile("tune.wav", 0.2);
  EXPECT_EQ(OpenFile(path), mci_error::kHardware);
  ASSERT_EQ(Run("open cdaudio"), 0);
  EXPECT_EQ(Run("play cdaudio"), mci_error::kHardware);
  EXPECT_EQ(Reply("status cdaudio mode"), "stopped");
  EXPECT_FALSE(output.IsOpen());
}

TEST_F(MciInterpreterTest, RepliesMustFitTheirBuffer) {
  ASSERT_EQ(Run("open cdaudio"), 0);
  char small[7] = "abcdef";  // one short of "stopped" and its NUL
  EXPECT_EQ(mci.Send("status cdaudio mode", small, sizeof small), mci_error::kParamOverflow);
  EXPECT_STREQ(small, "abcdef");
  EXPECT_EQ(mci.Send("status cdaudio mode", nullptr, 0), 0);
  char exact[8];
  EXPECT_EQ(mci.Send("status cdaudio mode", exact, sizeof exact), 0);
  EXPECT_STREQ(exact, "stopped");
}

TEST_F(MciInterpreterTest, WaveSoundPlaysOnlyWaveFiles) {
  std::string cut = WavFile("cut.wav", 0.4);
  std::filesystem::resize_file(cut, 1000);  // a truncated file plays what it holds
  std::string headerOnly = WavFile("header.wav", 0.4);
  std::filesystem::resize_file(headerOnly, 20);
  testsupport::WriteBytes(folder.File("really.wav"), "ID3 this is not a WAVE file");
  WaveSound wave(output);
  // Each sound replaces the one before, also when it cannot play.
  for (const auto& [path, plays] :
       std::vector<std::pair<std::string, bool>>{{WavFile("loop.wav", 0.2), true},
                                                 {cut, true},
                                                 {folder.File("missing.wav"), false},
                                                 {headerOnly, false},
                                                 {folder.File("really.wav"), false},
                                                 {folder.Path(), false},
                                                 {cut, true}}) {
    wave.PlayLooping(path);
    EXPECT_EQ(Mix_PlayingMusic() != 0, plays) << path;
  }
  wave.Stop();
  EXPECT_FALSE(Mix_PlayingMusic());
}

}  // namespace

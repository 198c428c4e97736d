#include <gtest/gtest.h>

#include <cstring>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "frontend/music/quorin05_bgm.h"

namespace {

// Records every command string and answers each as the test scripted it
// (success with an empty reply unless told otherwise).
class ScriptedPlatform : public MusicPlatform {
 public:
  struct Answer {
    int32_t status = 0;
    std::string reply;
  };

  int32_t SendCommand(const std::string& command, char* reply, size_t replyLength) override {
    sent.push_back(command);
    withReplyBuffer.push_back(reply != nullptr);
    Answer answer = answers.count(command) ? answers[command] : Answer{};
    if (answer.status == 0 && reply != nullptr) {
      size_t length = std::min(answer.reply.size(), replyLength - 1);
      std::memcpy(reply, answer.reply.data(), length);
      reply[length] = '\0';
    }
    return answer.status;
  }
  int OutputDeviceCount() override { return devices; }
  void PlaySoundLooping(const std::string& path) override { sounds.push_back("play " + path); }
  void StopSound() override { sounds.push_back("stop"); }
  void Shutdown() override { sounds.push_back("shutdown"); }

  std::map<std::string, Answer> answers;
  std::vector<std::string> sent;
  std::vector<bool> withReplyBuffer;
  std::vector<std::string> sounds;
  int devices = 1;
};

const std::string kCurrentTrack = "status cdaudio current track";
const std::string kTrackCount = "status cdaudio number of tracks";
const std::string kCdMode = "status cdaudio mode";
const std::string kMp3Mode = "status MP3Play mode";

class MusicPlayerTest : public testing::Test {
 protected:
  void SetUp() override { NewPlayer(0); }

  // Starts afresh with the player of a run whose settings chose this track and
  // file; `platform` is the player's own.
  void NewPlayer(int16_t track, const std::string& file = "") {
    auto scripted = std::make_unique<ScriptedPlatform>();
    platform = scripted.get();
    player.emplace(std::move(scripted), Settings{2, track, file});
  }

  // A drive on `track` of a three-track disc, in `mode`.
  void Drive(const std::string& track, const std::string& mode) {
    platform->answers[kCurrentTrack] = {0, track};
    platform->answers[kTrackCount] = {0, "3"};
    platform->answers[kCdMode] = {0, mode};
  }

  using Strings = std::vector<std::string>;
  ScriptedPlatform* platform = nullptr;
  std::optional<Quorin05_BGM> player;
};

TEST_F(MusicPlayerTest, CdOpenAndStopSendTheirTwoCommandsWithoutReplyBuffers) {
  player->CD_Open();
  player->CD_Stop();
  EXPECT_EQ(platform->sent, (Strings{"open cdaudio", "set cdaudio time format tmsf", "stop cdaudio", "close cdaudio"}));
  EXPECT_EQ(platform->withReplyBuffer, (std::vector<bool>{false, false, false, false}));
}

TEST_F(MusicPlayerTest, WholeDiscPlaysOnlyWhenTheDriveReportsStopped) {
  Drive("2", "playing");
  player->CD_Poll();
  EXPECT_EQ(platform->sent, (Strings{kCurrentTrack, kTrackCount, kCdMode}));
  EXPECT_TRUE(player->CD_Polling());

  for (const char* mode : {"not ready", "open", "paused"}) {
    platform->sent.clear();
    Drive("1", mode);
    player->CD_Poll();
    EXPECT_EQ(platform->sent, (Strings{kCurrentTrack, kTrackCount, kCdMode})) << mode;
    EXPECT_TRUE(player->CD_Polling());
  }

  platform->sent.clear();
  Drive("not a number", "stopped");
  player->CD_Poll();
  EXPECT_EQ(platform->sent, (Strings{kCurrentTrack, kTrackCount, kCdMode, "play cdaudio"}));
  EXPECT_TRUE(player->CD_Polling());
}

TEST_F(MusicPlayerTest, RepeatedTrackIsSentBackToItsStartWhenTheDriveMovesOnOrStops) {
  NewPlayer(3);
  platform->answers["status cdaudio position track 3"] = {0, "03:00:00:00"};
  const Strings replay = {kCurrentTrack, kTrackCount, kCdMode, "status cdaudio position track 3",
                          "play cdaudio from 03:00:00:00"};

  Drive("4", "playing");
  player->CD_Poll();
  EXPECT_EQ(platform->sent, replay);

  platform->sent.clear();
  Drive("3", "stopped");
  player->CD_Poll();
  EXPECT_EQ(platform->sent, replay);

  platform->sent.clear();
  Drive(" 3 ", "playing");
  player->CD_Poll();
  EXPECT_EQ(platform->sent, (Strings{kCurrentTrack, kTrackCount, kCdMode}));
  EXPECT_TRUE(player->CD_Polling());
}

TEST_F(MusicPlayerTest, FailingTrackQueriesEndPollingAtOnce) {
  Drive("2", "stopped");
  platform->answers[kCurrentTrack] = {276, ""};
  player->CD_Poll();
  EXPECT_EQ(platform->sent, (Strings{kCurrentTrack}));
  EXPECT_FALSE(player->CD_Polling());

  platform->sent.clear();
  platform->answers[kCurrentTrack] = {0, "error"};
  player->CD_Poll();
  EXPECT_EQ(platform->sent, (Strings{kCurrentTrack}));
  EXPECT_FALSE(player->CD_Polling());

  platform->sent.clear();
  Drive("2", "stopped");
  platform->answers[kTrackCount] = {263, ""};
  player->CD_Poll();
  EXPECT_EQ(platform->sent, (Strings{kCurrentTrack, kTrackCount}));
  EXPECT_FALSE(player->CD_Polling());
}

TEST_F(MusicPlayerTest, RepeatedTrackWithATrackReplyThatIsNoNumberEndsPolling) {
  NewPlayer(3);
  for (const char* track : {"", "three", "3x", "70000"}) {
    platform->sent.clear();
    Drive(track, "stopped");
    player->CD_Poll();
    EXPECT_EQ(platform->sent, (Strings{kCurrentTrack, kTrackCount, kCdMode})) << track;
    EXPECT_FALSE(player->CD_Polling()) << track;
  }
}

TEST_F(MusicPlayerTest, TrackBeyondTheDiscSendsTheErrorTextAsPositionAndKeepsPolling) {
  NewPlayer(9);
  Drive("1", "stopped");
  platform->answers["status cdaudio position track 9"] = {282, ""};
  player->CD_Poll();
  EXPECT_EQ(platform->sent, (Strings{kCurrentTrack, kTrackCount, kCdMode, "status cdaudio position track 9",
                                    "play cdaudio from Error:282"}));
  EXPECT_TRUE(player->CD_Polling());
}

TEST_F(MusicPlayerTest, ModeBuffersKeepTheEarlierReplyWhenAQueryFails) {
  Drive("1", "stopped");
  player->CD_Poll();
  platform->sent.clear();
  platform->answers[kCdMode] = {276, "playing"};
  player->CD_Poll();
  EXPECT_EQ(platform->sent.back(), "play cdaudio");

  platform->answers[kMp3Mode] = {0, "playing"};
  EXPECT_TRUE(player->MP3_IsPlaying());
  platform->answers[kMp3Mode] = {263, "stopped"};
  EXPECT_TRUE(player->MP3_IsPlaying());
  // A shorter reply overwrites only its own length: "open" over "playing" is not "playing".
  platform->answers[kMp3Mode] = {0, "open"};
  EXPECT_FALSE(player->MP3_IsPlaying());
}

TEST_F(MusicPlayerTest, Mp3OpensTheQuotedPathAndPlaysOnlyWhenTheOpenSucceeded) {
  NewPlayer(0, "/home/user/My Music/a b.mp3");
  const std::string open = "open \"/home/user/My Music/a b.mp3\" type MPEGVideo Alias MP3Play";
  player->MP3_Play();
  EXPECT_EQ(platform->sent, (Strings{open, "play MP3Play"}));

  platform->sent.clear();
  platform->answers[open] = {275, ""};
  player->MP3_Play();
  EXPECT_EQ(platform->sent, (Strings{open}));

  platform->sent.clear();
  player->MP3_Stop();
  EXPECT_EQ(platform->sent, (Strings{"stop MP3Play", "close MP3Play"}));
}

TEST_F(MusicPlayerTest, Mp3LoopRestartsFromTheBeginningUnlessPlaying) {
  platform->answers[kMp3Mode] = {0, "playing"};
  player->MP3_Loop();
  EXPECT_EQ(platform->sent, (Strings{kMp3Mode}));

  for (const char* mode : {"paused", "stopped"}) {
    platform->sent.clear();
    platform->answers[kMp3Mode] = {0, mode};
    player->MP3_Loop();
    EXPECT_EQ(platform->sent, (Strings{kMp3Mode, "stop MP3Play", "play MP3Play from 0"})) << mode;
  }
}

TEST_F(MusicPlayerTest, WavPlaysOnlyWithAnOutputDevice) {
  NewPlayer(0, "/music/loop.wav");
  platform->devices = 0;
  player->WAV_Play();
  EXPECT_TRUE(platform->sounds.empty());

  platform->devices = 2;
  player->WAV_Play();
  player->WAV_Stop();
  player->Shutdown();
  EXPECT_EQ(platform->sounds, (Strings{"play /music/loop.wav", "stop", "shutdown"}));
  EXPECT_TRUE(platform->sent.empty());
}

TEST_F(MusicPlayerTest, CommandHelpersBuildAndReportAsDocumented) {
  platform->answers["status x"] = {275, "ignored"};
  EXPECT_EQ(player->MCI_Query("status x"), "Error:275");
  std::string reply = "earlier";
  EXPECT_EQ(player->MCI_Send("status x", reply), 275);
  EXPECT_EQ(reply, "earlier");

  platform->answers["status y"] = {0, "reply"};
  EXPECT_EQ(player->MCI_Query("status y"), "reply");

  platform->answers["play dev from 1:2"] = {282, ""};
  EXPECT_EQ(player->MCI_Play("dev", ""), 0);
  EXPECT_EQ(player->MCI_Play("dev", "1:2"), 282);
  EXPECT_EQ(platform->sent, (Strings{"status x", "status x", "status y", "play dev", "play dev from 1:2"}));
}

}  // namespace

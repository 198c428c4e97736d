#include <gtest/gtest.h>

#include <cstring>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "frontend/music/quorin05_bgm.h"

using namespace veyora::frontend;

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
    Answer answer = answers.count(command) ? answers[command] : Answer{};
    if (answer.status == 0 && reply != nullptr) {
      size_t length = std::min(answer.reply.size(), replyLength - 1);
      std::memcpy(reply, answer.reply.data(), length);
      reply[length] = '\0';
    }
    return answer.status;
  }
  int OutputDeviceCount() override { return devices; }
  void PlaySoundLooping(const std::string& path) override { looping.push_back(path); }
  void StopSound() override {}
  void Shutdown() override {}

  std::map<std::string, Answer> answers;
  std::vector<std::string> sent;
  std::vector<std::string> looping;
  int devices = 1;
};

using Strings = std::vector<std::string>;
using Answers = std::map<std::string, ScriptedPlatform::Answer>;

const std::string kCurrentTrack = "status cdaudio current track";
const std::string kTrackCount = "status cdaudio number of tracks";
const std::string kCdMode = "status cdaudio mode";
const std::string kMp3Mode = "status MP3Play mode";
const std::string kMp3File = "/home/user/My Music/a b.mp3";

class MusicPlayerTest : public testing::Test {
 protected:
  // Starts afresh with the player of a run whose settings chose this track and
  // file, on a drive stopped on track 1 of three; `platform` is the player's own.
  void NewPlayer(int16_t track, const std::string& file = "") {
    auto scripted = std::make_unique<ScriptedPlatform>();
    platform = scripted.get();
    platform->answers = {{kCurrentTrack, {0, "1"}},
                         {kTrackCount, {0, "3"}},
                         {kCdMode, {0, "stopped"}},
                         {"status cdaudio position track 3", {0, "03:00:00:00"}}};
    player.emplace(std::move(scripted), Settings{2, track, file});
  }

  ScriptedPlatform* platform = nullptr;
  std::optional<Quorin05_BGM> player;
};

TEST_F(MusicPlayerTest, CdPollPlaysWhatTheDriveStateCallsForAndStopsPollingOnBadReplies) {
  struct Case {
    const char* name;
    int16_t track;  // the track to repeat; 0 plays the whole disc
    Answers answers;
    size_t queries;  // how many of the three queries are sent
    Strings then;    // what is sent after them
    bool polling;
  };
  const Strings replay3 = {"status cdaudio position track 3", "play cdaudio from 03:00:00:00"};
  const Case cases[] = {
      {"whole disc, drive not ready", 0, {{kCdMode, {0, "not ready"}}}, 3, {}, true},
      {"whole disc, stopped, track no number",
       0,
       {{kCurrentTrack, {0, "x"}}},
       3,
       {"play cdaudio"},
       true},
      {"track 3, drive moved on to 4",
       3,
       {{kCurrentTrack, {0, "4"}}, {kCdMode, {0, "playing"}}},
       3,
       replay3,
       true},
      {"track 3, stopped on it", 3, {{kCurrentTrack, {0, "3"}}}, 3, replay3, true},
      {"track 3, playing it, blanks around",
       3,
       {{kCurrentTrack, {0, " 3 "}}, {kCdMode, {0, "playing"}}},
       3,
       {},
       true},
      {"current track fails", 0, {{kCurrentTrack, {276, ""}}}, 1, {}, false},
      {"current track reply holds an error", 0, {{kCurrentTrack, {0, "error"}}}, 1, {}, false},
      {"track count fails", 0, {{kTrackCount, {263, ""}}}, 2, {}, false},
      {"track 3, empty track reply", 3, {{kCurrentTrack, {0, ""}}}, 3, {}, false},
      {"track 3, track reply 3x", 3, {{kCurrentTrack, {0, "3x"}}}, 3, {}, false},
      {"track 3, track reply beyond 16 bits", 3, {{kCurrentTrack, {0, "70000"}}}, 3, {}, false},
      // The error text is sent as the position: the drive refuses it, polling goes on.
      {"track 9 beyond the disc",
       9,
       {{"status cdaudio position track 9", {282, ""}}},
       3,
       {"status cdaudio position track 9", "play cdaudio from Error:282"},
       true},
  };
  for (const Case& c : cases) {
    NewPlayer(c.track);
    for (const auto& [command, answer] : c.answers) platform->answers[command] = answer;
    player->CD_Poll();
    Strings expected = Strings{kCurrentTrack, kTrackCount, kCdMode};
    expected.resize(c.queries);
    expected.insert(expected.end(), c.then.begin(), c.then.end());
    EXPECT_EQ(platform->sent, expected) << c.name;
    EXPECT_EQ(player->CD_Polling(), c.polling) << c.name;
  }
}

TEST_F(MusicPlayerTest, ModeBuffersKeepTheEarlierReplyWhenAQueryFails) {
  NewPlayer(0);
  player->CD_Poll();
  platform->answers[kCdMode] = {276, "playing"};
  player->CD_Poll();
  EXPECT_EQ(platform->sent.back(), "play cdaudio");

  // A shorter reply overwrites only its own length: "open" over "playing" is not "playing".
  for (const auto& [answer, playing] : std::vector<std::pair<ScriptedPlatform::Answer, bool>>{
           {{0, "playing"}, true}, {{263, "stopped"}, true}, {{0, "open"}, false}}) {
    platform->answers[kMp3Mode] = answer;
    EXPECT_EQ(player->MP3_IsPlaying(), playing) << answer.reply;
  }
}

TEST_F(MusicPlayerTest, CdAndMp3StepsSendTheirCommandsInOrder) {
  struct Case {
    const char* name;
    Answers answers;
    std::function<void(Quorin05_BGM&)> step;
    Strings sent;
  };
  const std::string open = "open \"" + kMp3File + "\" type MPEGVideo Alias MP3Play";
  const Case cases[] = {
      {"CD open and stop",
       {},
       [](Quorin05_BGM& p) {
         p.CD_Open();
         p.CD_Stop();
       },
       {"open cdaudio", "set cdaudio time format tmsf", "stop cdaudio", "close cdaudio"}},
      {"MP3 play", {}, &Quorin05_BGM::MP3_Play, {open, "play MP3Play"}},
      {"MP3 play, open fails", {{open, {275, ""}}}, &Quorin05_BGM::MP3_Play, {open}},
      {"MP3 stop", {}, &Quorin05_BGM::MP3_Stop, {"stop MP3Play", "close MP3Play"}},
      {"MP3 loop while playing", {{kMp3Mode, {0, "playing"}}}, &Quorin05_BGM::MP3_Loop, {kMp3Mode}},
      {"MP3 loop while paused",
       {{kMp3Mode, {0, "paused"}}},
       &Quorin05_BGM::MP3_Loop,
       {kMp3Mode, "stop MP3Play", "play MP3Play from 0"}},
  };
  for (const Case& c : cases) {
    NewPlayer(0, kMp3File);
    platform->answers = c.answers;
    c.step(*player);
    EXPECT_EQ(platform->sent, c.sent) << c.name;
  }
}

TEST_F(MusicPlayerTest, WavPlaysOnlyWithAnOutputDevice) {
  NewPlayer(0, "/music/loop.wav");
  platform->devices = 0;
  player->WAV_Play();
  EXPECT_TRUE(platform->looping.empty());
  platform->devices = 2;
  player->WAV_Play();
  EXPECT_EQ(platform->looping, Strings{"/music/loop.wav"});
  EXPECT_TRUE(platform->sent.empty());
}

}  // namespace

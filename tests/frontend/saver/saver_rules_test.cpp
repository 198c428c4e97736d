#include <gtest/gtest.h>

#include <vector>

#include "frontend/saver/renderer_watch.h"
#include "frontend/saver/saver_music.h"

using namespace veyora::frontend;

namespace {

using namespace std::chrono_literals;

TEST(ChosenMusicTest, FileModeGoesByTheLastThreeCharactersInAnyCase) {
  EXPECT_EQ(ChosenMusic(2, "/music/b.Mp3"), SaverMusic::Mp3File);
  EXPECT_EQ(ChosenMusic(2, "/music/b.wav"), SaverMusic::WavFile);
  EXPECT_EQ(ChosenMusic(2, "/music/bWaV"), SaverMusic::WavFile);  // no dot needed
  EXPECT_EQ(ChosenMusic(2, "wav"), SaverMusic::WavFile);
  EXPECT_EQ(ChosenMusic(2, "/music/b.mid"), SaverMusic::Silence);
  EXPECT_EQ(ChosenMusic(2, "/music/b.mp3 "), SaverMusic::Silence);
  EXPECT_EQ(ChosenMusic(2, "/music/b.mp4"), SaverMusic::Silence);
  EXPECT_EQ(ChosenMusic(2, "av"), SaverMusic::Silence);
  EXPECT_EQ(ChosenMusic(2, ""), SaverMusic::Silence);
  // Full-width letters are other characters, whatever their bytes.
  EXPECT_EQ(ChosenMusic(2, "/music/b.ｗａｖ"), SaverMusic::Silence);
  EXPECT_EQ(ChosenMusic(2, "/music/曲.mp3"), SaverMusic::Mp3File);
}

TEST(ChosenMusicTest, OnlyModeOnePlaysTheCdAndOtherModesPlayNothing) {
  EXPECT_EQ(ChosenMusic(1, "/music/b.wav"), SaverMusic::CdAudio);
  EXPECT_EQ(ChosenMusic(1, ""), SaverMusic::CdAudio);
  for (int16_t mode : {0, 3, -1, 32767}) {
    EXPECT_EQ(ChosenMusic(mode, "/music/b.wav"), SaverMusic::Silence) << mode;
    EXPECT_EQ(ChosenMusic(mode, "/music/b.mp3"), SaverMusic::Silence) << mode;
  }
}

TEST(RendererWatchTest, AMissingWindowEndsTheRunOnceSeenOnceTheRendererEndedOrAfterTheLimit) {
  struct Look {
    bool found, running;
    std::chrono::milliseconds since;
    bool gone;
  };
  struct Run {
    std::chrono::milliseconds limit;
    std::vector<Look> looks;
  };
  constexpr auto kLimit = RendererWatch::kAppearanceLimit;
  const std::vector<Run> runs = {
      // Not seen yet: waited for up to the limit while the renderer runs.
      {kLimit,
       {{false, true, 0ms, false},
        {false, true, kLimit - 1ms, false},
        {false, true, kLimit, true}}},
      {300ms, {{false, true, 299ms, false}, {false, true, 300ms, true}}},
      // Seen once: the first look-up without it ends the run.
      {kLimit,
       {{false, true, 50ms, false}, {true, true, 900ms, false}, {false, true, 950ms, true}}},
      // A renderer that ended, or never started, is not waited for.
      {kLimit, {{false, false, 50ms, true}}},
      // A window of that title from elsewhere holds the run while it exists.
      {kLimit,
       {{true, false, 50ms, false}, {true, false, 60000ms, false}, {false, false, 60050ms, true}}}};
  for (size_t run = 0; run < runs.size(); ++run) {
    RendererWatch watch(runs[run].limit);
    for (const Look& look : runs[run].looks) {
      EXPECT_EQ(watch.RendererGone(look.found, look.running, look.since), look.gone)
          << "run " << run << " at " << look.since.count() << " ms";
    }
  }
}

}  // namespace

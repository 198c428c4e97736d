#include <gtest/gtest.h>

#include "frontend/saver/renderer_watch.h"
#include "frontend/saver/saver_music.h"

namespace {

using namespace std::chrono_literals;

TEST(ChosenMusicTest, FileModeGoesByTheLastThreeCharactersInAnyCase) {
  EXPECT_EQ(ChosenMusic(2, "/music/b.Mp3"), Saver_Music::Mp3File);
  EXPECT_EQ(ChosenMusic(2, "/music/b.wav"), Saver_Music::WavFile);
  EXPECT_EQ(ChosenMusic(2, "/music/bWaV"), Saver_Music::WavFile);  // no dot needed
  EXPECT_EQ(ChosenMusic(2, "wav"), Saver_Music::WavFile);
  EXPECT_EQ(ChosenMusic(2, "/music/b.mid"), Saver_Music::Silence);
  EXPECT_EQ(ChosenMusic(2, "/music/b.mp3 "), Saver_Music::Silence);
  EXPECT_EQ(ChosenMusic(2, "/music/b.mp4"), Saver_Music::Silence);
  EXPECT_EQ(ChosenMusic(2, "av"), Saver_Music::Silence);
  EXPECT_EQ(ChosenMusic(2, ""), Saver_Music::Silence);
  // Full-width letters are other characters, whatever their bytes.
  EXPECT_EQ(ChosenMusic(2, "/music/b.ｗａｖ"), Saver_Music::Silence);
  EXPECT_EQ(ChosenMusic(2, "/music/曲.mp3"), Saver_Music::Mp3File);
}

TEST(ChosenMusicTest, OnlyModeOnePlaysTheCdAndOtherModesPlayNothing) {
  EXPECT_EQ(ChosenMusic(1, "/music/b.wav"), Saver_Music::CdAudio);
  EXPECT_EQ(ChosenMusic(1, ""), Saver_Music::CdAudio);
  for (int16_t mode : {0, 3, -1, 32767}) {
    EXPECT_EQ(ChosenMusic(mode, "/music/b.wav"), Saver_Music::Silence) << mode;
    EXPECT_EQ(ChosenMusic(mode, "/music/b.mp3"), Saver_Music::Silence) << mode;
  }
}

TEST(RendererWatchTest, AWindowNotYetSeenIsWaitedForUpToTheLimit) {
  RendererWatch watch;
  EXPECT_FALSE(watch.RendererGone(false, 0ms));
  EXPECT_FALSE(watch.RendererGone(false, 3000ms));
  EXPECT_FALSE(watch.RendererGone(false, RendererWatch::kAppearanceLimit - 1ms));
  EXPECT_TRUE(watch.RendererGone(false, RendererWatch::kAppearanceLimit));
}

TEST(RendererWatchTest, OnceSeenTheFirstMissingLookUpEndsTheRun) {
  RendererWatch watch;
  EXPECT_FALSE(watch.RendererGone(false, 50ms));
  EXPECT_FALSE(watch.RendererGone(true, 900ms));
  EXPECT_FALSE(watch.RendererGone(true, 60000ms));
  EXPECT_TRUE(watch.RendererGone(false, 60050ms));

  RendererWatch early;
  EXPECT_FALSE(early.RendererGone(true, 50ms));
  EXPECT_TRUE(early.RendererGone(false, 100ms));
}

TEST(RendererWatchTest, ARendererThatCouldNotStartEndsTheRunAtTheFirstMissingLookUp) {
  RendererWatch watch(false);
  EXPECT_TRUE(watch.RendererGone(false, 50ms));

  // A window of that title from elsewhere still holds the run.
  RendererWatch held(false);
  EXPECT_FALSE(held.RendererGone(true, 50ms));
  EXPECT_TRUE(held.RendererGone(false, 100ms));
}

}  // namespace

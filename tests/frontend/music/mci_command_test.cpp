#include <gtest/gtest.h>

#include "frontend/music/disc_layout.h"
#include "frontend/music/mci_command.h"
#include "frontend/music/mci_errors.h"
#include "frontend/music/tmsf_position.h"

using namespace veyora::frontend;

namespace {

MciCommand Parsed(std::string_view text) {
  MciParseResult result = ParseMciCommand(text);
  EXPECT_EQ(result.error, 0) << text;
  return result.command;
}

// Which command each verb and status item names, the interpreter's tests show.
TEST(MciCommandTest, KeywordsMatchInAnyCaseAndValuesKeepTheirSpelling) {
  MciCommand set = Parsed("SET CdAudio Time Format TMSF");
  EXPECT_EQ(set.verb, MciVerb::Set);
  EXPECT_EQ(set.device, "CdAudio");
  EXPECT_EQ(set.timeFormat, "TMSF");
  MciCommand position = Parsed("Status cdaudio  POSITION track 12");
  EXPECT_EQ(position.item, MciStatusItem::PositionOfTrack);
  EXPECT_EQ(position.track, 12);
  EXPECT_EQ(Parsed("play cdaudio from 03:00:00:00").from, "03:00:00:00");
  EXPECT_FALSE(Parsed("PLAY MP3Play").from.has_value());
}

TEST(MciCommandTest, QuotedPathIsTakenWholeUpToTheFixedEnding) {
  // Quotes and command words inside the path stay part of the path.
  MciCommand tricky = Parsed(
      "open \"/m/x.mp3\" type MPEGVideo Alias Other\" close \"y\" type mpegvideo alias MP3Play");
  EXPECT_EQ(tricky.file, "/m/x.mp3\" type MPEGVideo Alias Other\" close \"y");
  EXPECT_EQ(tricky.fileType, "mpegvideo");
  EXPECT_EQ(tricky.device, "MP3Play");

  EXPECT_EQ(Parsed("open \"/音楽/曲 \"1\".mp3\" type MPEGVideo Alias MP3Play").file,
            "/音楽/曲 \"1\".mp3");
}

TEST(MciCommandTest, BadStringsGiveErrorNumbers) {
  struct Case {
    const char* text;
    int32_t error;
  };
  for (const Case& c : std::initializer_list<Case>{
           {"   ", mci_error::kUnrecognizedCommand},
           {"pause cdaudio", mci_error::kUnrecognizedCommand},
           {"play", mci_error::kMissingDeviceName},
           {"open cdaudio alias cd", mci_error::kUnrecognizedKeyword},
           {"set cdaudio time format", mci_error::kMissingParameter},
           {"status cdaudio", mci_error::kMissingParameter},
           {"status cdaudio length", mci_error::kUnrecognizedKeyword},
           {"status cdaudio position track three", mci_error::kBadInteger},
           {"status cdaudio position track", mci_error::kUnrecognizedKeyword},
           {"play cdaudio to 3", mci_error::kUnrecognizedKeyword},
           {"play cdaudio from", mci_error::kMissingParameter},
           {"play cdaudio from 1 to 2", mci_error::kUnrecognizedKeyword},
           {"open \"/a.mp3\"", mci_error::kUnrecognizedKeyword},
           {"open \"/a.mp3\" type MPEGVideo Alias", mci_error::kMissingParameter},
           {"open \"/a.mp3\" type MPEGVideo as MP3Play", mci_error::kUnrecognizedKeyword},
           {"open \"/a.mp3\" type MPEGVideo Alias MP3Play wait", mci_error::kUnrecognizedKeyword},
           {"open \"\" type MPEGVideo Alias MP3Play", mci_error::kFileNotFound},
       }) {
    EXPECT_EQ(ParseMciCommand(c.text).error, c.error) << '"' << c.text << '"';
  }
}

TEST(TmsfPositionTest, FormatsAndReadsBackPositions) {
  EXPECT_EQ(FormatTmsf({12, 4, 59, 74}), "12:04:59:74");
  auto position = ParseTmsf("12:04:59:74");
  ASSERT_TRUE(position);
  EXPECT_EQ(FormatTmsf(*position), "12:04:59:74");
  auto shortForm = ParseTmsf("3:1");
  ASSERT_TRUE(shortForm);
  EXPECT_EQ(FormatTmsf(*shortForm), "03:01:00:00");

  for (const char* bad : {"", "Error:282", "3:00:60:00", "3:00:00:75", "123", "1:2:3:4:5", "1::2",
                          "1:", "-1", " 3", "3 "}) {
    EXPECT_FALSE(ParseTmsf(bad).has_value()) << bad;
  }
}

// Track 1 audio (100 sectors), track 2 data (50), tracks 3 and 4 audio (75 each).
DiscLayout MixedDisc() {
  return DiscLayout(
      {{1, 0, 100, true}, {2, 100, 50, false}, {3, 150, 75, true}, {4, 225, 75, true}});
}

TEST(DiscLayoutTest, FindsTracksAndPositions) {
  DiscLayout disc = MixedDisc();
  EXPECT_EQ(disc.TrackAt(149)->number, 2);
  EXPECT_EQ(disc.TrackAt(150)->number, 3);
  EXPECT_EQ(disc.TrackAt(300)->number, 4);  // the disc's end belongs to the last track

  EXPECT_EQ(disc.SectorOf({3, 0, 0, 0}), 150);
  EXPECT_EQ(disc.SectorOf({1, 0, 1, 10}), 85);
  EXPECT_FALSE(disc.SectorOf({1, 0, 1, 25}).has_value());  // past the track's end
  EXPECT_FALSE(disc.SectorOf({2, 0, 0, 0}).has_value());   // data track
  EXPECT_FALSE(disc.SectorOf({5, 0, 0, 0}).has_value());
}

TEST(DiscLayoutTest, PlayRunsThroughFollowingAudioTracksAndStopsAtData) {
  DiscLayout disc = MixedDisc();
  EXPECT_EQ(disc.AudioRunEnd(10), 100);
  EXPECT_EQ(disc.AudioRunEnd(160), 300);
  EXPECT_EQ(disc.AudioRunEnd(120), 120);  // inside the data track: nothing to play
  EXPECT_EQ(disc.AudioRunEnd(300), 300);
  EXPECT_EQ(disc.FirstAudioSector(), 0);

  DiscLayout dataOnly({{1, 0, 100, false}});
  EXPECT_FALSE(dataOnly.HasAudio());
  EXPECT_EQ(DiscLayout().TrackAt(0), nullptr);
}

}  // namespace

#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace veyora::frontend {

// What the settings dialog works out without any display.

// Where the dialog goes on a screen, all in twips: left = (screen width - window
// width) / 2 and top = (screen height - window height) / 3, each quotient of whole
// numbers truncated towards zero; the window's sizes are its outer ones.
std::pair<int, int> DialogPlace(int screenWidth, int screenHeight, int windowWidth,
                                int windowHeight);

// A track number as the track box shows it (the pattern "##"): the number
// without leading zeros, and the empty text for 0.
std::string TrackText(int16_t track);

// The track stored from the track box's text: a number, rounded to a whole one
// (halves to even); 0 for a text that is no number and for one outside the 16
// bits a track setting holds (such a number is refused, not cut to fit).
int16_t TrackFromText(std::string_view text);

// A file-name pattern that matches every letter case ("*.MP3" gives
// "*.[mM][pP]3"), so "song.mp3" is offered on a file system that tells cases apart.
std::string AnyCasePattern(std::string_view pattern);

// The background's brightness v for each pixel row of a surface `heightTwips`
// high: v = |sin(y / step)| × 220, step = height / 3.142, rounded halves to even,
// for the lines y = 0, 1, 2 … twips. Many lines fall on one row of 15 twips; the
// last one drawn there gives the row its colour. Rows no line reaches are -1.
std::vector<int> GradientRowLevels(double heightTwips, int rows);

}  // namespace veyora::frontend

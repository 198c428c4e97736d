#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace veyora::frontend {

// A CD position as track, minutes, seconds and frames (75 frames a second),
// the minutes, seconds and frames counted from the start of the track.
struct TmsfPosition {
  int track = 0;
  int minutes = 0;
  int seconds = 0;
  int frames = 0;
};

// "tt:mm:ss:ff" with two digits each (three for minutes past 99).
std::string FormatTmsf(const TmsfPosition& position);

// Reads "tt[:mm[:ss[:ff]]]", each field one or two decimal digits, seconds
// below 60 and frames below 75; nullopt for anything else.
std::optional<TmsfPosition> ParseTmsf(std::string_view text);

}  // namespace veyora::frontend

#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace veyora::frontend {

// One parsed command string. Keywords are matched without regard to letter
// case; the device word and the values keep their spelling.
enum class MciVerb { Open, Set, Status, Play, Stop, Close };
enum class MciStatusItem { Mode, CurrentTrack, NumberOfTracks, PositionOfTrack };

struct MciCommand {
  MciVerb verb = MciVerb::Open;
  std::string device;    // "cdaudio" or an alias
  std::string file;      // open of a media file: the path between the quotes, byte for byte
  std::string fileType;  // open of a media file: the word after "type"
  MciStatusItem item = MciStatusItem::Mode;
  int track = 0;                    // status … position track N
  std::string timeFormat;           // set … time format F
  std::optional<std::string> from;  // play … from P
};

struct MciParseResult {
  int32_t error = 0;  // 0 when `command` holds the parsed command
  MciCommand command;
};

// Parses "open cdaudio", "open \"path\" type T alias A", "set D time format F",
// "status D mode|current track|number of tracks|position track N", "play D
// [from P]", "stop D" and "close D".
MciParseResult ParseMciCommand(std::string_view text);

}  // namespace veyora::frontend

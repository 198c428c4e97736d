#pragma once

#include <cstdint>
#include <string_view>

namespace veyora::frontend {

// The background music a saver run plays.
enum class SaverMusic { Silence, CdAudio, WavFile, Mp3File };

// Mode 1 plays the CD. Mode 2 plays the file by the last three characters of its
// name, upper-cased: "WAV" or "MP3", no dot required; any other ending plays
// nothing. Every other mode plays nothing.
SaverMusic ChosenMusic(int16_t mode, std::string_view file);

}  // namespace veyora::frontend

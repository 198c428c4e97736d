#include "frontend/saver/saver_music.h"

#include <string>

#include "frontend/text/ascii_text.h"

namespace veyora::frontend {

namespace {

// The last three characters, ASCII letters upper-cased. Bytes of a multi-byte
// character are kept as they are, so such an ending never reads as "WAV" or "MP3".
std::string FileEnding(std::string_view file) {
  return UpperAscii(file.substr(file.size() < 3 ? 0 : file.size() - 3));
}

}  // namespace

SaverMusic ChosenMusic(int16_t mode, std::string_view file) {
  if (mode == 1) return SaverMusic::CdAudio;
  if (mode != 2) return SaverMusic::Silence;
  const std::string ending = FileEnding(file);
  if (ending == "WAV") return SaverMusic::WavFile;
  if (ending == "MP3") return SaverMusic::Mp3File;
  return SaverMusic::Silence;
}

}  // namespace veyora::frontend

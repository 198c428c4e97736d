#include "tests/frontend/saver/saver_settings_file.h"

#include <fstream>

namespace savertest {

namespace {

// The settings keys in the encoding of the file: BGM区分, BGMﾘﾋﾟｰﾄ, BGMﾌｧｲﾙ.
const std::string kModeKey = "BGM\x8B\xE6\x95\xAA";
const std::string kTrackKey = "BGM\xD8\xCB\xDF\xB0\xC4";
const std::string kFileKey = "BGM\xCC\xA7\xB2\xD9";

}  // namespace

void WriteSaverSettings(const std::string& path, int mode, const std::string& musicFile) {
  std::ofstream(path, std::ios::binary) << "[Section]\r\n" + kModeKey + "= " +
                                               std::to_string(mode) + "\r\n" + kTrackKey +
                                               "= 0\r\n" + kFileKey + "=" + musicFile + "\r\n";
}

}  // namespace savertest

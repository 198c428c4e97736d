#pragma once

#include <string>

namespace savertest {

// Writes a settings file at `path` as the settings dialog writes it (Shift-JIS keys):
// the music mode and the music file.
void WriteSaverSettings(const std::string& path, int mode, const std::string& musicFile);

}  // namespace savertest

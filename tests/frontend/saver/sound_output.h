#pragma once

#include <string>

namespace savertest {

// The size of the raw sound SDL's disk audio driver has written to `path` so far;
// 0 before the file exists.
long SoundFileBytes(const std::string& path);

// Waits until `seconds` more of sound have been written to `path`.
bool WaitForSoundFile(const std::string& path, double seconds, int timeoutMs);

}  // namespace savertest

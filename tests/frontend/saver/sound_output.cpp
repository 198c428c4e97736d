#include "tests/frontend/saver/sound_output.h"

#include <filesystem>
#include <system_error>

#include "tests/frontend/music/support/test_audio.h"
#include "tests/support/x_wait.h"

namespace savertest {

long SoundFileBytes(const std::string& path) {
  std::error_code error;
  const auto size = std::filesystem::file_size(path, error);
  return error ? 0 : static_cast<long>(size);
}

bool WaitForSoundFile(const std::string& path, double seconds, int timeoutMs) {
  // 16-bit stereo: four bytes a frame.
  const long until = SoundFileBytes(path) + static_cast<long>(seconds * musictest::kRate) * 4;
  return testsupport::WaitUntil([&] { return SoundFileBytes(path) >= until; }, timeoutMs);
}

}  // namespace savertest

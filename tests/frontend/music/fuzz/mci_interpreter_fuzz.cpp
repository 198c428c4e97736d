// Feeds lines of arbitrary text, one command string each, to a fresh
// interpreter with a small disc image as its CD drive and a silent output.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <string_view>

#include "frontend/music/audio_output.h"
#include "frontend/music/mci_interpreter.h"
#include "tests/frontend/music/support/test_audio.h"

using namespace veyora::frontend;

namespace {
constexpr int kMaxCommands = 32;
AudioOutput* output = nullptr;
}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  setenv("SDL_AUDIODRIVER", "dummy", 1);
  // A fixed folder, so the seed inputs can name its sound file.
  const std::string folder = "/tmp/veyora-fuzz-music";
  std::filesystem::create_directories(folder);
  musictest::WriteDiscImage(folder + "/disc.cue", folder + "/disc.bin",
                            {musictest::Tone(300, 0.2), musictest::Tone(600, 0.2)});
  musictest::WriteWav(folder + "/a.wav", musictest::Tone(440, 0.2));
  setenv("VEYORA_CDROM", (folder + "/disc.cue").c_str(), 1);
  output = new AudioOutput;
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  std::string_view input(reinterpret_cast<const char*>(data), size);
  MciInterpreter mci(*output);
  char reply[32];
  for (int count = 0; count < kMaxCommands && !input.empty(); ++count) {
    size_t end = input.find('\n');
    std::string command(input.substr(0, end));
    input = end == std::string_view::npos ? std::string_view() : input.substr(end + 1);
    mci.Send(command, reply, (command.size() % 2 == 0) ? sizeof reply : 8);
  }
  return 0;
}

#include "frontend/music/wave_sound.h"

#include <SDL2/SDL_mixer.h>

#include <cstring>
#include <filesystem>
#include <fstream>
#include <system_error>

#include "frontend/system/failure_report.h"

namespace veyora::frontend {

namespace {

bool IsWaveFile(const std::string& path) {
  std::error_code error;
  std::filesystem::path file(path);
  // Only regular files: opening a FIFO or a device node could block the caller for ever.
  if (!std::filesystem::is_regular_file(file, error)) return false;
  char header[12] = {};
  std::ifstream in(file, std::ios::binary);
  if (!in.read(header, sizeof header)) return false;
  return std::memcmp(header, "RIFF", 4) == 0 && std::memcmp(header + 8, "WAVE", 4) == 0;
}

}  // namespace

void WaveSound::PlayLooping(const std::string& path) {
  Stop();
  if (!IsWaveFile(path)) {
    ReportFailure("cannot play " + path + ": not a WAV file");
    return;
  }
  if (!output_.Open()) return;
  music_ = Mix_LoadMUSType_RW(SDL_RWFromFile(path.c_str(), "rb"), MUS_WAV, SDL_TRUE);
  if (music_ == nullptr || Mix_PlayMusic(music_, -1) != 0) {
    ReportFailure("cannot play " + path + ": " + Mix_GetError());
    Stop();
  }
}

void WaveSound::Stop() {
  if (music_ == nullptr) return;
  if (output_.IsOpen()) Mix_HaltMusic();
  Mix_FreeMusic(music_);
  music_ = nullptr;
}

}  // namespace veyora::frontend

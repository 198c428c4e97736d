#include "frontend/music/wave_sound.h"

#include <SDL2/SDL_mixer.h>

#include <cstring>
#include <fstream>
#include <system_error>
#include <filesystem>

#include "platform/failure_report.h"

namespace {

bool IsPlayableWaveFile(const std::string& path) {
  std::error_code error;
  std::filesystem::path file(path);
  if (!std::filesystem::is_regular_file(file, error)) return false;
  auto size = std::filesystem::file_size(file, error);
  if (error || size > static_cast<uintmax_t>(WaveSound::kMaxFileBytes)) return false;
  char header[12] = {};
  std::ifstream in(file, std::ios::binary);
  if (!in.read(header, sizeof header)) return false;
  return std::memcmp(header, "RIFF", 4) == 0 && std::memcmp(header + 8, "WAVE", 4) == 0;
}

}  // namespace

void WaveSound::PlayLooping(const std::string& path) {
  Stop();
  if (!IsPlayableWaveFile(path)) {
    platform::ReportFailure("cannot play " + path + ": not a WAV file of at most 64 MiB");
    return;
  }
  if (!output_.Open()) return;
  chunk_ = Mix_LoadWAV(path.c_str());
  if (chunk_ == nullptr) {
    platform::ReportFailure("cannot play " + path + ": " + Mix_GetError());
    return;
  }
  channel_ = Mix_PlayChannel(-1, chunk_, -1);
  if (channel_ < 0) Stop();
}

void WaveSound::Stop() {
  if (channel_ >= 0 && output_.IsOpen()) Mix_HaltChannel(channel_);
  channel_ = -1;
  if (chunk_ != nullptr) Mix_FreeChunk(chunk_);
  chunk_ = nullptr;
}

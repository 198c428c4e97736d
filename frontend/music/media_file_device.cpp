#include "frontend/music/media_file_device.h"

#include <SDL2/SDL_mixer.h>

#include <charconv>
#include <filesystem>
#include <system_error>

#include "frontend/music/mci_errors.h"
#include "frontend/system/failure_report.h"

namespace veyora::frontend {

MediaFileDevice::MediaFileDevice(AudioOutput& output, const std::string& path, int32_t& status)
    : output_(output) {
  // Only regular files: opening a FIFO or a device node could block the caller for ever.
  std::error_code error;
  if (!std::filesystem::is_regular_file(std::filesystem::path(path), error)) {
    ReportFailure("cannot play " + path + ": not a file");
    status = mci_error::kFileNotFound;
    return;
  }
  if (!output_.Open()) {
    status = mci_error::kHardware;
    return;
  }
  music_ = Mix_LoadMUS(path.c_str());
  if (music_ == nullptr) ReportFailure("cannot play " + path + ": " + Mix_GetError());
  status = music_ != nullptr ? 0 : mci_error::kInvalidFile;
}

MediaFileDevice::~MediaFileDevice() {
  if (music_ == nullptr) return;
  if (output_.IsOpen()) Mix_HaltMusic();
  Mix_FreeMusic(music_);
}

int32_t MediaFileDevice::Play(const std::optional<std::string>& fromMilliseconds) {
  if (music_ == nullptr || !output_.IsOpen()) return mci_error::kHardware;
  long long milliseconds = 0;
  if (fromMilliseconds) {
    const std::string& text = *fromMilliseconds;
    auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), milliseconds);
    if (error != std::errc() || end != text.data() + text.size() || milliseconds < 0) {
      return mci_error::kBadInteger;
    }
  } else if (stoppedMidway_ && Mix_PausedMusic()) {
    stoppedMidway_ = false;
    Mix_ResumeMusic();
    return 0;
  }
  stoppedMidway_ = false;
  if (Mix_PlayMusic(music_, 1) != 0) return mci_error::kHardware;
  if (milliseconds > 0 && Mix_SetMusicPosition(static_cast<double>(milliseconds) / 1000.0) != 0) {
    Mix_HaltMusic();
    return mci_error::kOutOfRange;
  }
  return 0;
}

void MediaFileDevice::Stop() {
  if (music_ == nullptr || !output_.IsOpen() || !Mix_PlayingMusic()) return;
  // Paused rather than halted, so a later play without a position resumes here.
  Mix_PauseMusic();
  stoppedMidway_ = true;
}

const char* MediaFileDevice::Mode() const {
  bool sounding = music_ != nullptr && output_.IsOpen() && Mix_PlayingMusic() && !Mix_PausedMusic();
  return sounding ? "playing" : "stopped";
}

}  // namespace veyora::frontend

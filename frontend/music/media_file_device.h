#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "frontend/music/audio_output.h"

typedef struct _Mix_Music Mix_Music;

namespace veyora::frontend {

// A media file (MP3 and whatever else the mixer decodes) played as the mixer's
// one music stream. The file is streamed from disk, so its size does not matter.
class MediaFileDevice {
 public:
  // Error number of the open (0 on success) in `status`.
  MediaFileDevice(AudioOutput& output, const std::string& path, int32_t& status);
  ~MediaFileDevice();
  MediaFileDevice(const MediaFileDevice&) = delete;
  MediaFileDevice& operator=(const MediaFileDevice&) = delete;

  // Plays from `fromMilliseconds` (a decimal number), or when empty from where
  // a stop left it, or from the start once it has ended.
  int32_t Play(const std::optional<std::string>& fromMilliseconds);
  void Stop();
  // "playing" while it sounds, "stopped" before play, after stop or at its end.
  const char* Mode() const;

 private:
  AudioOutput& output_;
  Mix_Music* music_ = nullptr;
  bool stoppedMidway_ = false;
};

}  // namespace veyora::frontend

#pragma once

#include <string>

#include "frontend/music/audio_output.h"

typedef struct _Mix_Music Mix_Music;

namespace veyora::frontend {

// Plays one WAV file over and over until stopped. The file is streamed, read and
// converted a little at a time as it plays, so its size and format cost neither
// memory nor time up front. It takes the mixer's one music stream, which a media
// file opened through the command strings uses too; a screensaver run plays only
// one of them.
class WaveSound {
 public:
  explicit WaveSound(AudioOutput& output) : output_(output) {}
  ~WaveSound() { Stop(); }
  WaveSound(const WaveSound&) = delete;
  WaveSound& operator=(const WaveSound&) = delete;

  // Replaces any sound playing. A file that is missing, not a regular file, not a
  // RIFF WAVE file or undecodable plays nothing.
  void PlayLooping(const std::string& path);
  void Stop();

 private:
  AudioOutput& output_;
  Mix_Music* music_ = nullptr;
};

}  // namespace veyora::frontend

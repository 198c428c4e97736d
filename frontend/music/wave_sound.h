#pragma once

#include <string>

#include "frontend/music/audio_output.h"

struct Mix_Chunk;

// Plays one WAV file over and over on a mixer channel until stopped.
class WaveSound {
 public:
  explicit WaveSound(AudioOutput& output) : output_(output) {}
  ~WaveSound() { Stop(); }
  WaveSound(const WaveSound&) = delete;
  WaveSound& operator=(const WaveSound&) = delete;

  // Replaces any sound playing. A file that is missing, not a regular file,
  // not a RIFF WAVE file, larger than kMaxFileBytes or undecodable plays nothing.
  void PlayLooping(const std::string& path);
  void Stop();

  // The whole file is decoded into memory on the caller's thread before it
  // plays; this bound keeps that under a fraction of a second and the memory
  // used small (64 MiB is about six minutes of CD-quality sound).
  static constexpr long long kMaxFileBytes = 64LL * 1024 * 1024;

 private:
  AudioOutput& output_;
  Mix_Chunk* chunk_ = nullptr;
  int channel_ = -1;
};

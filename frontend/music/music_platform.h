#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

namespace veyora::frontend {

// What the music player needs from the system: a multimedia command-string
// service, the number of sound output devices, and a looping sound player.
// The front end uses SystemMusicPlatform; tests put a scripted one in its place.
class MusicPlatform {
 public:
  virtual ~MusicPlatform() = default;

  // Runs one command string synchronously. Returns 0 on success or an error
  // number. On success a status command writes its reply, NUL-terminated, into
  // `reply` (room for `replyLength` characters including the NUL); `reply` may
  // be null when the caller wants no reply.
  virtual int32_t SendCommand(const std::string& command, char* reply, size_t replyLength) = 0;

  // Number of sound output devices; 0 or less when there is none.
  virtual int OutputDeviceCount() = 0;

  // Starts the sound file in the background, repeating it until StopSound.
  virtual void PlaySoundLooping(const std::string& path) = 0;

  // Stops the sound started by PlaySoundLooping, if any.
  virtual void StopSound() = 0;

  // Stops everything and releases the sound output; called once at the end of a run.
  virtual void Shutdown() = 0;
};

}  // namespace veyora::frontend

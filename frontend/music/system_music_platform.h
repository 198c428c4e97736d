#pragma once

#include "frontend/music/audio_output.h"
#include "frontend/music/mci_interpreter.h"
#include "frontend/music/music_platform.h"
#include "frontend/music/wave_sound.h"

namespace veyora::frontend {

// The music platform of the running program: command strings go to the
// interpreter, the looping sound to the WAV player, all through one sound output.
// Command strings and paths are UTF-8 throughout.
class SystemMusicPlatform : public MusicPlatform {
 public:
  int32_t SendCommand(const std::string& command, char* reply, size_t replyLength) override {
    return commands_.Send(command, reply, replyLength);
  }
  int OutputDeviceCount() override { return output_.DeviceCount(); }
  void PlaySoundLooping(const std::string& path) override { wave_.PlayLooping(path); }
  void StopSound() override { wave_.Stop(); }
  void Shutdown() override {
    wave_.Stop();
    commands_.CloseAll();
    output_.Close();
  }

 private:
  AudioOutput output_;
  MciInterpreter commands_{output_};
  WaveSound wave_{output_};
};

}  // namespace veyora::frontend

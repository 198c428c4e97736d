#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

#include "frontend/music/audio_output.h"
#include "frontend/music/cd_audio_device.h"
#include "frontend/music/mci_command.h"
#include "frontend/music/media_file_device.h"

namespace veyora::frontend {

// Runs command strings against two devices: "cdaudio", the software CD
// player, and one media file opened with type "MPEGVideo" under an alias.
// Status replies are "playing", "stopped", "not ready", track numbers in
// decimal and positions as tt:mm:ss:ff.
class MciInterpreter {
 public:
  explicit MciInterpreter(AudioOutput& output) : output_(output) {}
  ~MciInterpreter() { CloseAll(); }
  MciInterpreter(const MciInterpreter&) = delete;
  MciInterpreter& operator=(const MciInterpreter&) = delete;

  // 0 or an error number. On success the reply (empty for commands that have
  // none) is written, NUL-terminated, to `reply` when one is given; a reply that
  // does not fit in `replyLength` characters fails the command instead.
  int32_t Send(std::string_view command, char* reply, size_t replyLength);
  void CloseAll();

 private:
  int32_t RunCd(const MciCommand& command, std::string& answer);
  int32_t RunMediaFile(const MciCommand& command, std::string& answer);
  int32_t OpenMediaFile(const MciCommand& command);

  AudioOutput& output_;
  std::unique_ptr<CdAudioDevice> cd_;
  std::unique_ptr<MediaFileDevice> mediaFile_;
  std::string mediaAlias_;
};

}  // namespace veyora::frontend

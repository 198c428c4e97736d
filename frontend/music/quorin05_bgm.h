#pragma once

#include <array>
#include <cstdint>
#include <memory>
#include <string>

#include "frontend/music/music_platform.h"
#include "frontend/settings/settings.h"

namespace veyora::frontend {

// The background music of one screensaver run: an audio CD (whole or one
// repeated track), an MP3 file looping, or a WAV file looping. Driven by the
// saver run's timers on the GUI thread; every failure is silent here (the sound
// back end reports what it could not play).
class Quorin05_BGM {
 public:
  // Plays the track and file of `settings` through `platform`, which it keeps.
  Quorin05_BGM(std::unique_ptr<MusicPlatform> platform, const Settings& settings);

  // True from the start of every CD_Poll until a CD query fails; the saver run
  // keeps its CD timer enabled only while this is true.
  bool CD_Polling() const { return cdPolling_; }

  void CD_Open();
  void CD_Poll();
  void CD_Stop();

  void MP3_Play();
  bool MP3_IsPlaying();
  void MP3_Loop();
  void MP3_Stop();

  void WAV_Play();
  void WAV_Stop();

  // Releases the sound output; the saver run calls it last, before the program ends.
  void Shutdown();

  int32_t MCI_Send(const std::string& command, std::string& reply);
  std::string MCI_Query(const std::string& command);
  int32_t MCI_Play(const std::string& device, const std::string& from);

 private:
  void SendWithoutReply(const std::string& command);

  std::unique_ptr<MusicPlatform> platform_;
  int16_t track_;
  std::string file_;
  bool cdPolling_ = false;
  // Replies of the two mode queries. Each keeps its content from one query to
  // the next, so a query that fails leaves the earlier reply in place.
  std::array<char, 255> cdModeBuffer_{};
  std::array<char, 30> mp3ModeBuffer_{};
};

}  // namespace veyora::frontend

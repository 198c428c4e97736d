#pragma once

#include <condition_variable>
#include <cstdint>
#include <deque>
#include <memory>
#include <mutex>
#include <optional>
#include <thread>
#include <vector>

#include "frontend/music/audio_output.h"
#include "frontend/music/cd_drive.h"

namespace veyora::frontend {

// A software CD player: a reader thread fetches audio sectors from the drive a
// little ahead of the output, and the mixer adds them to what it sends to the
// sound device. It keeps its own position and mode.
class CdAudioDevice {
 public:
  CdAudioDevice(std::unique_ptr<CdDrive> drive, AudioOutput& output);
  ~CdAudioDevice();
  CdAudioDevice(const CdAudioDevice&) = delete;
  CdAudioDevice& operator=(const CdAudioDevice&) = delete;

  const DiscLayout& Layout() const { return drive_->Layout(); }
  // Plays from `fromSector`, or from the current position when empty (from the
  // first audio track when that position is at the end of the audio or on a
  // data track), on through the following audio tracks. 0 or an error number.
  int32_t Play(std::optional<int32_t> fromSector);
  void Stop();
  // "playing", "stopped", or "not ready" after the drive failed to read.
  const char* Mode();
  // The sector the output has reached.
  int32_t CurrentSector();

 private:
  struct Block {
    int32_t firstSector;
    std::vector<uint8_t> samples;
  };

  static void MixInto(void* device, uint8_t* stream, int length);
  void ReadAhead();
  void DropQueuedLocked();

  std::unique_ptr<CdDrive> drive_;
  AudioOutput& output_;

  std::mutex mutex_;
  std::condition_variable wake_;
  bool quit_ = false;
  bool playing_ = false;
  bool readFailed_ = false;
  uint64_t playNumber_ = 0;  // bumped by every play and stop; reads of an older play are dropped
  int32_t nextReadSector_ = 0;
  int32_t playEnd_ = 0;
  int32_t currentSector_ = 0;
  std::deque<Block> queue_;
  size_t frontOffset_ = 0;  // bytes of the front block already sent out
  int queuedSectors_ = 0;
  std::thread reader_;
};

}  // namespace veyora::frontend

#pragma once

namespace veyora::frontend {

// The sound output all music shares: SDL audio with the mixer, opened in the
// format of CD audio (44.1 kHz, 16-bit little-endian, stereo; SDL converts for
// the device) the first time music asks for it, closed at the end of the run.
class AudioOutput {
 public:
  AudioOutput() = default;
  ~AudioOutput() { Close(); }
  AudioOutput(const AudioOutput&) = delete;
  AudioOutput& operator=(const AudioOutput&) = delete;

  // Opens the output if it is not open yet; false when no device can be
  // opened. After a failure it is not tried again until Close, so a machine
  // without sound is not probed at every timer tick.
  bool Open();
  bool IsOpen() const { return open_; }
  // Number of output devices; 0 when none can be opened.
  int DeviceCount();
  void Close();

 private:
  bool open_ = false;
  bool failed_ = false;
};

}  // namespace veyora::frontend

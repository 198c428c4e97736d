#include "frontend/music/cd_audio_device.h"

#include <SDL2/SDL_mixer.h>

#include <algorithm>
#include <cstring>

#include "frontend/music/mci_errors.h"

namespace veyora::frontend {

namespace {
// Sectors per read: about 0.1 s of sound.
constexpr int kReadSectors = 8;
// How far the reader keeps ahead of the output: about 1 s.
constexpr int kAheadSectors = 75;
}  // namespace

CdAudioDevice::CdAudioDevice(std::unique_ptr<CdDrive> drive, AudioOutput& output)
    : drive_(std::move(drive)), output_(output) {
  currentSector_ = Layout().FirstAudioSector().value_or(0);
  reader_ = std::thread(&CdAudioDevice::ReadAhead, this);
}

CdAudioDevice::~CdAudioDevice() {
  if (output_.IsOpen()) Mix_SetPostMix(nullptr, nullptr);
  {
    std::lock_guard lock(mutex_);
    quit_ = true;
  }
  wake_.notify_all();
  reader_.join();
}

int32_t CdAudioDevice::Play(std::optional<int32_t> fromSector) {
  if (!output_.Open()) return mci_error::kHardware;
  // Attached here: the output may have opened only now. Setting it again is harmless.
  Mix_SetPostMix(&CdAudioDevice::MixInto, this);
  {
    std::lock_guard lock(mutex_);
    int32_t start = fromSector.value_or(currentSector_);
    if (!fromSector && Layout().AudioRunEnd(start) <= start)
      start = Layout().FirstAudioSector().value_or(0);
    DropQueuedLocked();
    playing_ = true;
    readFailed_ = false;
    nextReadSector_ = start;
    currentSector_ = start;
    playEnd_ = Layout().AudioRunEnd(start);
  }
  wake_.notify_all();
  return 0;
}

void CdAudioDevice::Stop() {
  std::lock_guard lock(mutex_);
  DropQueuedLocked();
  playing_ = false;
}

const char* CdAudioDevice::Mode() {
  std::lock_guard lock(mutex_);
  if (playing_) return "playing";
  return readFailed_ ? "not ready" : "stopped";
}

int32_t CdAudioDevice::CurrentSector() {
  std::lock_guard lock(mutex_);
  return currentSector_;
}

void CdAudioDevice::DropQueuedLocked() {
  ++playNumber_;
  queue_.clear();
  frontOffset_ = 0;
  queuedSectors_ = 0;
}

void CdAudioDevice::ReadAhead() {
  std::unique_lock lock(mutex_);
  while (!quit_) {
    if (!playing_ || nextReadSector_ >= playEnd_ || queuedSectors_ >= kAheadSectors) {
      wake_.wait(lock);
      continue;
    }
    Block block{nextReadSector_, {}};
    int count = std::min(kReadSectors, playEnd_ - nextReadSector_);
    uint64_t play = playNumber_;
    lock.unlock();
    // The drive may take long (spin-up, retries); nothing is held meanwhile.
    block.samples.resize(static_cast<size_t>(count) * kCdSectorBytes);
    bool read = drive_->ReadAudio(block.firstSector, count, block.samples.data());
    lock.lock();
    if (play != playNumber_) continue;
    if (!read) {
      readFailed_ = true;
      playing_ = false;
      continue;
    }
    queue_.push_back(std::move(block));
    queuedSectors_ += count;
    nextReadSector_ += count;
  }
}

// Runs on the audio thread after the mixer has mixed its channels and music:
// adds the CD sound, which is in the output's own format, with clipping.
void CdAudioDevice::MixInto(void* device, uint8_t* stream, int length) {
  auto* self = static_cast<CdAudioDevice*>(device);
  bool consumed = false;
  {
    std::lock_guard lock(self->mutex_);
    if (!self->playing_) return;
    size_t done = 0;
    size_t total = static_cast<size_t>(length);
    while (done + 1 < total && !self->queue_.empty()) {
      Block& front = self->queue_.front();
      size_t count = std::min(total - done, front.samples.size() - self->frontOffset_) & ~size_t{1};
      const uint8_t* from = front.samples.data() + self->frontOffset_;
      for (size_t i = 0; i < count; i += 2) {
        int sum = static_cast<int16_t>(stream[done + i] | (stream[done + i + 1] << 8)) +
                  static_cast<int16_t>(from[i] | (from[i + 1] << 8));
        auto sample = static_cast<uint16_t>(std::clamp(sum, -32768, 32767));
        stream[done + i] = static_cast<uint8_t>(sample & 0xFF);
        stream[done + i + 1] = static_cast<uint8_t>(sample >> 8);
      }
      done += count;
      self->frontOffset_ += count;
      self->currentSector_ =
          front.firstSector + static_cast<int32_t>(self->frontOffset_ / kCdSectorBytes);
      if (self->frontOffset_ >= front.samples.size()) {
        self->queuedSectors_ -= static_cast<int>(front.samples.size() / kCdSectorBytes);
        self->queue_.pop_front();
        self->frontOffset_ = 0;
        consumed = true;
      }
    }
    if (self->queue_.empty() && self->nextReadSector_ >= self->playEnd_) {
      self->playing_ = false;
      self->currentSector_ = self->playEnd_;
    }
  }
  if (consumed) self->wake_.notify_all();
}

}  // namespace veyora::frontend

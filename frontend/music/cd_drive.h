#pragma once

#include <cstdint>
#include <memory>

#include "frontend/music/disc_layout.h"

typedef struct _CdIo CdIo_t;

namespace veyora::frontend {

// A disc in the default CD drive, or the CUE/BIN image named by the
// environment variable VEYORA_CDROM: its table of contents and its audio sectors.
class CdDrive {
 public:
  // Null when there is no drive, no disc, or no audio track on the disc.
  static std::unique_ptr<CdDrive> Open();
  ~CdDrive();
  CdDrive(const CdDrive&) = delete;
  CdDrive& operator=(const CdDrive&) = delete;

  const DiscLayout& Layout() const { return layout_; }
  // Reads `count` audio sectors from `first` into `out` (count * kCdSectorBytes
  // bytes of 16-bit little-endian stereo). False on a read error.
  bool ReadAudio(int32_t first, int count, uint8_t* out);

 private:
  CdDrive(CdIo_t* cdio, DiscLayout layout) : cdio_(cdio), layout_(std::move(layout)) {}
  CdIo_t* cdio_;
  DiscLayout layout_;
};

}  // namespace veyora::frontend

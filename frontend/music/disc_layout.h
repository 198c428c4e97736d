#pragma once

#include <cstdint>
#include <optional>
#include <vector>

#include "frontend/music/tmsf_position.h"

namespace veyora::frontend {

constexpr int kCdSectorBytes = 2352;  // one sector of CD audio: 1/75 s of 16-bit stereo at 44.1 kHz
constexpr int kCdSectorsPerSecond = 75;

struct DiscTrack {
  int number = 0;
  int32_t firstSector = 0;  // logical sector number of the track's start
  int32_t sectorCount = 0;
  bool audio = false;
};

// The table of contents of a disc, in track order, and the position arithmetic
// of the CD player on top of it.
class DiscLayout {
 public:
  DiscLayout() = default;
  explicit DiscLayout(std::vector<DiscTrack> tracks) : tracks_(std::move(tracks)) {}

  int TrackCount() const { return static_cast<int>(tracks_.size()); }
  bool HasAudio() const;
  const DiscTrack* Track(int number) const;
  // The track holding `sector`; the last track for a sector at or past the
  // disc's end, the first for one before its start; null on an empty disc.
  const DiscTrack* TrackAt(int32_t sector) const;
  // The sector a position names, when that lies inside an audio track.
  std::optional<int32_t> SectorOf(const TmsfPosition& position) const;
  // First audio sector of the disc, or nullopt when there is none.
  std::optional<int32_t> FirstAudioSector() const;
  // The end (one past the last sector) of the run of consecutive audio tracks
  // that holds `sector`: play goes on through following audio tracks and stops
  // before a data track or at the disc's end.
  int32_t AudioRunEnd(int32_t sector) const;

 private:
  std::vector<DiscTrack> tracks_;
};

}  // namespace veyora::frontend

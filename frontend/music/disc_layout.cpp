#include "frontend/music/disc_layout.h"

namespace veyora::frontend {

bool DiscLayout::HasAudio() const { return FirstAudioSector().has_value(); }

const DiscTrack* DiscLayout::Track(int number) const {
  for (const DiscTrack& track : tracks_) {
    if (track.number == number) return &track;
  }
  return nullptr;
}

const DiscTrack* DiscLayout::TrackAt(int32_t sector) const {
  if (tracks_.empty()) return nullptr;
  for (const DiscTrack& track : tracks_) {
    if (sector < track.firstSector + track.sectorCount) return &track;
  }
  return &tracks_.back();
}

std::optional<int32_t> DiscLayout::SectorOf(const TmsfPosition& position) const {
  const DiscTrack* track = Track(position.track);
  if (track == nullptr || !track->audio) return std::nullopt;
  int64_t offset =
      (int64_t{position.minutes} * 60 + position.seconds) * kCdSectorsPerSecond + position.frames;
  if (offset >= track->sectorCount) return std::nullopt;
  return track->firstSector + static_cast<int32_t>(offset);
}

std::optional<int32_t> DiscLayout::FirstAudioSector() const {
  for (const DiscTrack& track : tracks_) {
    if (track.audio && track.sectorCount > 0) return track.firstSector;
  }
  return std::nullopt;
}

int32_t DiscLayout::AudioRunEnd(int32_t sector) const {
  int32_t end = sector;
  for (const DiscTrack& track : tracks_) {
    int32_t trackEnd = track.firstSector + track.sectorCount;
    if (trackEnd <= sector) continue;
    if (!track.audio || track.firstSector > end) break;
    end = trackEnd;
  }
  return end;
}

}  // namespace veyora::frontend

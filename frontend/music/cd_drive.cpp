#include "frontend/music/cd_drive.h"

#include <cdio/cdio.h>
#include <cdio/logging.h>

#include <cstdlib>

#include "frontend/system/failure_report.h"

namespace veyora::frontend {

namespace {

// libcdio reports problems on stderr by default; the player says in one line
// what it could not play instead.
void DiscardCdioMessage(cdio_log_level_t, const char*) {}

std::vector<DiscTrack> ReadTableOfContents(CdIo_t* cdio) {
  std::vector<DiscTrack> tracks;
  track_t first = cdio_get_first_track_num(cdio);
  track_t count = cdio_get_num_tracks(cdio);
  if (first == CDIO_INVALID_TRACK || count == CDIO_INVALID_TRACK) return tracks;
  for (int number = first; number < first + count; ++number) {
    lsn_t start = cdio_get_track_lsn(cdio, static_cast<track_t>(number));
    lsn_t next = number + 1 < first + count
                     ? cdio_get_track_lsn(cdio, static_cast<track_t>(number + 1))
                     : cdio_get_track_lsn(cdio, CDIO_CDROM_LEADOUT_TRACK);
    if (start == CDIO_INVALID_LSN || next == CDIO_INVALID_LSN || next < start) return {};
    bool audio = cdio_get_track_format(cdio, static_cast<track_t>(number)) == TRACK_FORMAT_AUDIO;
    tracks.push_back({number, start, next - start, audio});
  }
  return tracks;
}

}  // namespace

std::unique_ptr<CdDrive> CdDrive::Open() {
  cdio_log_set_handler(DiscardCdioMessage);
  const char* image = std::getenv("VEYORA_CDROM");
  CdIo_t* cdio =
      image != nullptr && *image != '\0' ? cdio_open_cue(image) : cdio_open(nullptr, DRIVER_DEVICE);
  if (cdio == nullptr) {
    ReportFailure("no CD drive to play the audio CD");
    return nullptr;
  }
  DiscLayout layout(ReadTableOfContents(cdio));
  if (!layout.HasAudio()) {
    ReportFailure("no audio CD in the drive");
    cdio_destroy(cdio);
    return nullptr;
  }
  return std::unique_ptr<CdDrive>(new CdDrive(cdio, std::move(layout)));
}

CdDrive::~CdDrive() { cdio_destroy(cdio_); }

bool CdDrive::ReadAudio(int32_t first, int count, uint8_t* out) {
  return cdio_read_audio_sectors(cdio_, out, first, static_cast<uint32_t>(count)) ==
         DRIVER_OP_SUCCESS;
}

}  // namespace veyora::frontend

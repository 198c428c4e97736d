#include "frontend/music/mci_interpreter.h"

#include <cstring>

#include "frontend/music/mci_errors.h"
#include "frontend/music/tmsf_position.h"
#include "frontend/text/ascii_text.h"

namespace veyora::frontend {

namespace {
constexpr std::string_view kCdDevice = "cdaudio";
}  // namespace

int32_t MciInterpreter::Send(std::string_view text, char* reply, size_t replyLength) {
  MciParseResult parsed = ParseMciCommand(text);
  if (parsed.error != 0) return parsed.error;
  const MciCommand& command = parsed.command;

  std::string answer;
  int32_t status;
  if (!command.file.empty()) {
    status = OpenMediaFile(command);
  } else if (EqualsIgnoringAsciiCase(command.device, kCdDevice)) {
    status = RunCd(command, answer);
  } else if (mediaFile_ && EqualsIgnoringAsciiCase(command.device, mediaAlias_)) {
    status = RunMediaFile(command, answer);
  } else {
    status = mci_error::kInvalidDeviceName;
  }
  if (status != 0 || reply == nullptr || replyLength == 0) return status;
  if (answer.size() + 1 > replyLength) return mci_error::kParamOverflow;
  std::memcpy(reply, answer.c_str(), answer.size() + 1);
  return 0;
}

void MciInterpreter::CloseAll() {
  mediaFile_.reset();
  mediaAlias_.clear();
  cd_.reset();
}

int32_t MciInterpreter::RunCd(const MciCommand& command, std::string& answer) {
  if (command.verb == MciVerb::Open) {
    if (cd_) return mci_error::kDeviceOpen;
    std::unique_ptr<CdDrive> drive = CdDrive::Open();
    if (!drive) return mci_error::kDeviceNotReady;
    cd_ = std::make_unique<CdAudioDevice>(std::move(drive), output_);
    return 0;
  }
  if (!cd_) return mci_error::kInvalidDeviceName;
  const DiscLayout& layout = cd_->Layout();
  switch (command.verb) {
    case MciVerb::Set:
      return EqualsIgnoringAsciiCase(command.timeFormat, "tmsf") ? 0 : mci_error::kBadTimeFormat;
    case MciVerb::Status:
      switch (command.item) {
        case MciStatusItem::Mode:
          answer = cd_->Mode();
          return 0;
        case MciStatusItem::CurrentTrack:
          answer = std::to_string(layout.TrackAt(cd_->CurrentSector())->number);
          return 0;
        case MciStatusItem::NumberOfTracks:
          answer = std::to_string(layout.TrackCount());
          return 0;
        case MciStatusItem::PositionOfTrack:
          if (layout.Track(command.track) == nullptr) return mci_error::kOutOfRange;
          answer = FormatTmsf({command.track, 0, 0, 0});
          return 0;
      }
      return mci_error::kUnrecognizedKeyword;
    case MciVerb::Play: {
      if (!command.from) return cd_->Play(std::nullopt);
      std::optional<TmsfPosition> position = ParseTmsf(*command.from);
      if (!position) return mci_error::kBadTimeFormat;
      std::optional<int32_t> sector = layout.SectorOf(*position);
      if (!sector) return mci_error::kOutOfRange;
      return cd_->Play(sector);
    }
    case MciVerb::Stop:
      cd_->Stop();
      return 0;
    case MciVerb::Close:
      cd_.reset();
      return 0;
    case MciVerb::Open:
      break;
  }
  return mci_error::kUnrecognizedCommand;
}

int32_t MciInterpreter::OpenMediaFile(const MciCommand& command) {
  if (!EqualsIgnoringAsciiCase(command.fileType, "MPEGVideo")) return mci_error::kInvalidDeviceName;
  if (EqualsIgnoringAsciiCase(command.device, kCdDevice)) return mci_error::kDuplicateAlias;
  if (mediaFile_) {
    return EqualsIgnoringAsciiCase(command.device, mediaAlias_) ? mci_error::kDuplicateAlias
                                                                : mci_error::kDeviceOpen;
  }
  int32_t status = 0;
  auto device = std::make_unique<MediaFileDevice>(output_, command.file, status);
  if (status != 0) return status;
  mediaFile_ = std::move(device);
  mediaAlias_ = command.device;
  return 0;
}

int32_t MciInterpreter::RunMediaFile(const MciCommand& command, std::string& answer) {
  switch (command.verb) {
    case MciVerb::Status:
      if (command.item != MciStatusItem::Mode) return mci_error::kUnsupportedFunction;
      answer = mediaFile_->Mode();
      return 0;
    case MciVerb::Play:
      return mediaFile_->Play(command.from);
    case MciVerb::Stop:
      mediaFile_->Stop();
      return 0;
    case MciVerb::Close:
      mediaFile_.reset();
      mediaAlias_.clear();
      return 0;
    case MciVerb::Open:
      return mci_error::kDeviceOpen;
    case MciVerb::Set:
      return mci_error::kUnsupportedFunction;
  }
  return mci_error::kUnrecognizedCommand;
}

}  // namespace veyora::frontend

#include "frontend/music/quorin05_bgm.h"

#include <algorithm>
#include <charconv>
#include <optional>
#include <string_view>

#include "frontend/text/ascii_text.h"

namespace veyora::frontend {

namespace {

constexpr size_t kReplyLength = 512;

// The first seven characters of a mode buffer, NULs included, which is what
// the mode comparisons look at.
std::string_view ModeOf(const char* buffer) { return std::string_view(buffer, 7); }

bool ContainsErr(std::string_view text) {
  return UpperAscii(text).find("ERR") != std::string::npos;
}

// A track number reply as a 16-bit integer: blanks around it allowed, nothing
// else; nullopt for anything that is not such a number.
std::optional<int16_t> TrackNumberOf(std::string_view text) {
  text = TrimBlanks(text);
  if (!text.empty() && text.front() == '+') text.remove_prefix(1);
  int16_t value = 0;
  auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (text.empty() || error != std::errc() || end != text.data() + text.size()) return std::nullopt;
  return value;
}

}  // namespace

Quorin05_BGM::Quorin05_BGM(std::unique_ptr<MusicPlatform> platform, const Settings& settings)
    : platform_(std::move(platform)), track_(settings.BGM_Track), file_(settings.BGM_File) {}

void Quorin05_BGM::SendWithoutReply(const std::string& command) {
  platform_->SendCommand(command, nullptr, 0);
}

int32_t Quorin05_BGM::MCI_Send(const std::string& command, std::string& reply) {
  std::array<char, kReplyLength> buffer{};
  int32_t status = platform_->SendCommand(command, buffer.data(), buffer.size());
  if (status != 0) return status;
  reply.assign(buffer.data(), std::find(buffer.begin(), buffer.end(), '\0'));
  return 0;
}

std::string Quorin05_BGM::MCI_Query(const std::string& command) {
  std::string reply;
  int32_t status = MCI_Send(command, reply);
  if (status != 0) return "Error:" + std::to_string(status);
  return reply;
}

int32_t Quorin05_BGM::MCI_Play(const std::string& device, const std::string& from) {
  std::string command = "play " + device;
  if (!from.empty()) command += " from " + from;
  std::string reply;
  return MCI_Send(command, reply);
}

void Quorin05_BGM::CD_Open() {
  SendWithoutReply("open cdaudio");
  SendWithoutReply("set cdaudio time format tmsf");
}

void Quorin05_BGM::CD_Poll() {
  cdPolling_ = true;
  std::string track = MCI_Query("status cdaudio current track");
  if (ContainsErr(track)) {
    cdPolling_ = false;
    return;
  }
  std::string trackCount = MCI_Query("status cdaudio number of tracks");
  if (ContainsErr(trackCount)) {
    cdPolling_ = false;
    return;
  }
  platform_->SendCommand("status cdaudio mode", cdModeBuffer_.data(), cdModeBuffer_.size());
  bool stopped = ModeOf(cdModeBuffer_.data()) == "stopped";

  if (track_ == 0) {
    if (stopped) MCI_Play("cdaudio", "");
    return;
  }
  std::optional<int16_t> currentTrack = TrackNumberOf(track);
  if (!currentTrack) {
    cdPolling_ = false;
    return;
  }
  if (stopped || *currentTrack != track_) {
    std::string position = MCI_Query("status cdaudio position track " + std::to_string(track_));
    MCI_Play("cdaudio", position);
  }
}

void Quorin05_BGM::CD_Stop() {
  SendWithoutReply("stop cdaudio");
  SendWithoutReply("close cdaudio");
}

void Quorin05_BGM::MP3_Play() {
  int32_t status =
      platform_->SendCommand("open \"" + file_ + "\" type MPEGVideo Alias MP3Play", nullptr, 0);
  if (status == 0) SendWithoutReply("play MP3Play");
}

bool Quorin05_BGM::MP3_IsPlaying() {
  platform_->SendCommand("status MP3Play mode", mp3ModeBuffer_.data(), mp3ModeBuffer_.size());
  return ModeOf(mp3ModeBuffer_.data()) == "playing";
}

void Quorin05_BGM::MP3_Loop() {
  if (MP3_IsPlaying()) return;
  SendWithoutReply("stop MP3Play");
  SendWithoutReply("play MP3Play from 0");
}

void Quorin05_BGM::MP3_Stop() {
  SendWithoutReply("stop MP3Play");
  SendWithoutReply("close MP3Play");
}

void Quorin05_BGM::WAV_Play() {
  if (platform_->OutputDeviceCount() <= 0) return;
  platform_->PlaySoundLooping(file_);
}

void Quorin05_BGM::WAV_Stop() { platform_->StopSound(); }

void Quorin05_BGM::Shutdown() { platform_->Shutdown(); }

}  // namespace veyora::frontend

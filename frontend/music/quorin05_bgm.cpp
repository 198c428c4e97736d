#include "frontend/music/quorin05_bgm.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <charconv>
#include <optional>
#include <string_view>

#include "frontend/startup/settings.h"

bool CD_Polling = false;

namespace {

MusicPlatform* platform = nullptr;

// Replies of the two mode queries. Each keeps its content from one query to
// the next, so a query that fails leaves the earlier reply in place.
std::array<char, 255> cdModeBuffer{};
std::array<char, 30> mp3ModeBuffer{};

constexpr size_t kReplyLength = 512;

// The first seven characters of a mode buffer, NULs included, which is what
// the mode comparisons look at.
std::string_view ModeOf(const char* buffer) { return std::string_view(buffer, 7); }

bool ContainsErr(std::string_view text) {
  std::string upper(text);
  std::transform(upper.begin(), upper.end(), upper.begin(),
                 [](unsigned char c) { return static_cast<char>(std::toupper(c)); });
  return upper.find("ERR") != std::string::npos;
}

// A track number reply as a 16-bit integer: blanks around it allowed, nothing
// else; nullopt for anything that is not such a number.
std::optional<int16_t> TrackNumberOf(std::string_view text) {
  while (!text.empty() && text.front() == ' ') text.remove_prefix(1);
  while (!text.empty() && text.back() == ' ') text.remove_suffix(1);
  if (!text.empty() && text.front() == '+') text.remove_prefix(1);
  int16_t value = 0;
  auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (text.empty() || error != std::errc() || end != text.data() + text.size()) return std::nullopt;
  return value;
}

void SendWithoutReply(const std::string& command) { platform->SendCommand(command, nullptr, 0); }

}  // namespace

void BGM_SetPlatform(MusicPlatform& newPlatform) { platform = &newPlatform; }

int32_t MCI_Send(const std::string& command, std::string& reply) {
  std::array<char, kReplyLength> buffer{};
  int32_t status = platform->SendCommand(command, buffer.data(), buffer.size());
  if (status != 0) return status;
  reply.assign(buffer.data(), std::find(buffer.begin(), buffer.end(), '\0'));
  return 0;
}

std::string MCI_Query(const std::string& command) {
  std::string reply;
  int32_t status = MCI_Send(command, reply);
  if (status != 0) return "Error:" + std::to_string(status);
  return reply;
}

int32_t MCI_Play(const std::string& device, const std::string& from) {
  std::string command = "play " + device;
  if (!from.empty()) command += " from " + from;
  std::string reply;
  return MCI_Send(command, reply);
}

void CD_Open() {
  SendWithoutReply("open cdaudio");
  SendWithoutReply("set cdaudio time format tmsf");
}

void CD_Poll() {
  CD_Polling = true;
  std::string track = MCI_Query("status cdaudio current track");
  if (ContainsErr(track)) {
    CD_Polling = false;
    return;
  }
  std::string trackCount = MCI_Query("status cdaudio number of tracks");
  if (ContainsErr(trackCount)) {
    CD_Polling = false;
    return;
  }
  platform->SendCommand("status cdaudio mode", cdModeBuffer.data(), cdModeBuffer.size());
  bool stopped = ModeOf(cdModeBuffer.data()) == "stopped";

  if (BGM_Track == 0) {
    if (stopped) MCI_Play("cdaudio", "");
    return;
  }
  std::optional<int16_t> currentTrack = TrackNumberOf(track);
  if (!currentTrack) {
    CD_Polling = false;
    return;
  }
  if (stopped || *currentTrack != BGM_Track) {
    std::string position = MCI_Query("status cdaudio position track " + std::to_string(BGM_Track));
    MCI_Play("cdaudio", position);
  }
}

void CD_Stop() {
  SendWithoutReply("stop cdaudio");
  SendWithoutReply("close cdaudio");
}

void MP3_Play() {
  int32_t status = platform->SendCommand("open \"" + BGM_File + "\" type MPEGVideo Alias MP3Play", nullptr, 0);
  if (status == 0) SendWithoutReply("play MP3Play");
}

bool MP3_IsPlaying() {
  platform->SendCommand("status MP3Play mode", mp3ModeBuffer.data(), mp3ModeBuffer.size());
  return ModeOf(mp3ModeBuffer.data()) == "playing";
}

void MP3_Loop() {
  if (MP3_IsPlaying()) return;
  SendWithoutReply("stop MP3Play");
  SendWithoutReply("play MP3Play from 0");
}

void MP3_Stop() {
  SendWithoutReply("stop MP3Play");
  SendWithoutReply("close MP3Play");
}

void WAV_Play() {
  if (platform->OutputDeviceCount() <= 0) return;
  platform->PlaySoundLooping(BGM_File);
}

void WAV_Stop() { platform->StopSound(); }

void BGM_Shutdown() { platform->Shutdown(); }

#pragma once

#include <cstdint>
#include <string>

namespace veyora::frontend {

// The music settings as one value: loaded from the settings file when the program
// starts, changed by the settings dialog, which writes them back, and read by the
// screensaver run and its music player.
struct Settings {
  int16_t BGM_Mode = 0;   // 0 none, 1 audio CD, 2 MP3 or WAV file; any other plays nothing
  int16_t BGM_Track = 0;  // audio-CD track to repeat; 0 plays the whole disc
  std::string BGM_File;   // full path of the MP3 or WAV file (UTF-8)
  bool operator==(const Settings&) const = default;
};

// The section and keys of the music settings in the settings file.
inline constexpr char kSettingsSection[] = "Section";
inline constexpr char kModeKey[] = "BGM区分";
inline constexpr char kTrackKey[] = "BGMﾘﾋﾟｰﾄ";
inline constexpr char kFileKey[] = "BGMﾌｧｲﾙ";

// A setting number as the file keeps it: one blank before a number that is not
// negative (" 1", "-1").
std::string FormatSettingNumber(int number);

// The settings kept in the file at `path`, read and decoded once. A number that
// is not one, or lies outside 16 bits, leaves its setting at 0; file playback is
// kept only with a music file that can be opened. Every setting that cannot be
// taken is reported in one line on standard error.
Settings Settings_Load(const std::string& path);

// False for a music file's path that the settings file cannot hold: one with a line
// break, since the file keeps each setting on a line of its own.
bool MusicFileStorable(const std::string& path);

// Writes the mode, the track and the file, in this order, to the file at `path`,
// making its folder first when there is none. False when nothing could be written.
bool WriteSettings(const Settings& settings, const std::string& path);

}  // namespace veyora::frontend

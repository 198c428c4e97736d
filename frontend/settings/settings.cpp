#include "frontend/settings/settings.h"

#include <array>
#include <cmath>
#include <filesystem>
#include <optional>

#include "frontend/settings/profile_access.h"
#include "frontend/settings/profile_text.h"
#include "frontend/system/failure_report.h"
#include "frontend/system/file_exists.h"
#include "frontend/text/number_text.h"

namespace veyora::frontend {

namespace {

// The whole part (towards minus infinity) of a stored number; 0 for the empty
// text; nullopt when the text is no number or the result does not fit 16 bits.
std::optional<int16_t> StoredNumber(const std::string& text) {
  if (text.empty()) return 0;
  const std::optional<double> number = ParseNumberText(text);
  if (!number) return std::nullopt;
  const double whole = std::floor(*number);
  if (!(whole >= INT16_MIN && whole <= INT16_MAX)) return std::nullopt;
  return static_cast<int16_t>(whole);
}

int16_t LoadNumber(const char* key, const std::string& text) {
  if (const std::optional<int16_t> number = StoredNumber(text)) return *number;
  ReportFailure(std::string("the setting ") + key + " \"" + text +
                "\" is not a number from -32768 to 32767");
  return 0;
}

}  // namespace

std::string FormatSettingNumber(int number) {
  std::string text(number >= 0 ? " " : "");
  text += std::to_string(number);
  return text;
}

Settings Settings_Load(const std::string& path) {
  const std::array<std::string, 3> keys = {kModeKey, kTrackKey, kFileKey};
  const std::optional<std::vector<std::string>> values = INI_Read(kSettingsSection, keys, path);
  Settings settings;
  if (!values) {
    ReportFailure("cannot read the settings file " + path);
    return settings;
  }
  settings.BGM_Mode = LoadNumber(kModeKey, (*values)[0]);
  settings.BGM_Track = LoadNumber(kTrackKey, (*values)[1]);
  const std::string& file = (*values)[2];
  // File playback only with a file that opens; the CD mode needs none.
  if (!file.empty() && File_Exists(file)) {
    settings.BGM_File = file;
  } else {
    if (settings.BGM_Mode == 2 && !file.empty()) {
      ReportFailure("cannot open the music file " + file);
    }
    if (settings.BGM_Mode == 2) settings.BGM_Mode = 0;
  }
  return settings;
}

bool MusicFileStorable(const std::string& path) { return ProfileTextStorable(path); }

bool WriteSettings(const Settings& settings, const std::string& path) {
  const std::array<ProfileEntry, 3> entries = {
      ProfileEntry{kModeKey, FormatSettingNumber(settings.BGM_Mode)},
      ProfileEntry{kTrackKey, FormatSettingNumber(settings.BGM_Track)},
      ProfileEntry{kFileKey, settings.BGM_File}};
  // A user's own settings live in a folder made for them on the first write.
  std::error_code ignored;
  std::filesystem::create_directories(std::filesystem::path(path).parent_path(), ignored);
  return INI_Write(kSettingsSection, entries, path);
}

}  // namespace veyora::frontend

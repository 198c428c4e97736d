#include "frontend/startup/settings_file.h"

#include <cmath>
#include <optional>

#include "frontend/startup/failure_skipping.h"
#include "frontend/startup/file_exists.h"
#include "frontend/startup/number_text.h"
#include "frontend/startup/profile_access.h"
#include "frontend/startup/program_paths.h"
#include "frontend/startup/settings.h"

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

void LoadNumber(const char* key, const std::string& path, int16_t& setting) {
  if (const std::optional<int16_t> number = StoredNumber(INI_Read(kSettingsSection, key, path))) {
    setting = *number;
  }
}

void DropFileChoice() {
  BGM_File.clear();
  if (BGM_Mode == 2) BGM_Mode = 0;
}

}  // namespace

std::string Number_Text(int number) {
  return (number >= 0 ? " " : "") + std::to_string(number);
}

void Settings_Load() { Settings_LoadFrom(Settings_Path()); }

void Settings_LoadFrom(const std::string& path) {
  SkipOnFailure([&] { LoadNumber(kModeKey, path, BGM_Mode); });
  SkipOnFailure([&] { LoadNumber(kTrackKey, path, BGM_Track); });
  SkipOnFailure([&] {
    const std::string file = INI_Read(kSettingsSection, kFileKey, path);
    if (file.empty()) return DropFileChoice();
    BGM_File = file;
    if (!File_Exists(BGM_File)) DropFileChoice();
  });
}

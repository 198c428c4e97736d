#pragma once

#include <cstdint>
#include <string>

// The section and keys of the music settings in the settings file.
inline constexpr const char* kSettingsSection = "Section";
inline constexpr const char* kModeKey = "BGM区分";
inline constexpr const char* kTrackKey = "BGMﾘﾋﾟｰﾄ";
inline constexpr const char* kFileKey = "BGMﾌｧｲﾙ";

// A setting number as the file keeps it: one blank before a number that is not
// negative (" 1", "-1").
std::string Number_Text(int number);

// Fills BGM_Mode, BGM_Track and BGM_File from the settings file next to the program.
void Settings_Load();

// The same from the settings file at `path`. Each setting is read on its own; a
// number that is not one, or lies outside 16 bits, leaves its setting as it was;
// file playback is kept only with a music file that can be opened.
void Settings_LoadFrom(const std::string& path);

#pragma once

#include <cstdint>
#include <string>

// The three music settings, program-wide: filled at start-up from the settings
// file, changed by the settings dialog, read by the saver run and the music player.
extern int16_t BGM_Mode;   // 0 none, 1 audio CD, 2 MP3 or WAV file
extern int16_t BGM_Track;  // audio-CD track to repeat; 0 plays the whole disc
extern std::string BGM_File;  // full path of the MP3 or WAV file (UTF-8)

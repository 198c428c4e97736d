#pragma once

#include <cstdint>
#include <string>

#include "frontend/music/music_platform.h"

// Background music of a screensaver run: an audio CD (whole or one repeated
// track), an MP3 file looping, or a WAV file looping. Driven by the saver run's
// timers on the GUI thread; every failure is silent.

// True from the start of every CD_Poll until a CD query fails; the saver run
// keeps its CD timer enabled only while this is true.
extern bool CD_Polling;

// The platform every operation below talks to; set once before the first call.
void BGM_SetPlatform(MusicPlatform& platform);

void CD_Open();
void CD_Poll();
void CD_Stop();

void MP3_Play();
bool MP3_IsPlaying();
void MP3_Loop();
void MP3_Stop();

void WAV_Play();
void WAV_Stop();

// Releases the sound output; the saver run calls it last, before the program ends.
void BGM_Shutdown();

int32_t MCI_Send(const std::string& command, std::string& reply);
std::string MCI_Query(const std::string& command);
int32_t MCI_Play(const std::string& device, const std::string& from);

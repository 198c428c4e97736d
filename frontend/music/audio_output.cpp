#include "frontend/music/audio_output.h"

#include <SDL2/SDL.h>
#include <SDL2/SDL_mixer.h>

#include <string>

#include "frontend/system/failure_report.h"

namespace veyora::frontend {

namespace {
constexpr int kSampleRate = 44100;
constexpr int kChannels = 2;
// About 23 ms of sound per buffer. Closing the output waits for the sound thread
// to finish about two buffers, and the run ends only after that, so a short
// buffer lets the front end follow the renderer's end quickly.
constexpr int kBufferFrames = 1024;
}  // namespace

bool AudioOutput::Open() {
  if (open_) return true;
  if (failed_) return false;
  failed_ = true;
  // SIGTERM and SIGINT stay the program's own: SDL would turn them into quit
  // events that nobody reads.
  SDL_SetHint(SDL_HINT_NO_SIGNAL_HANDLERS, "1");
  if (SDL_InitSubSystem(SDL_INIT_AUDIO) != 0) {
    ReportFailure(std::string("no sound output: ") + SDL_GetError());
    return false;
  }
  // Truncated WAV files play as far as their data goes instead of failing.
  SDL_SetHint(SDL_HINT_WAVE_TRUNCATION, "dropframe");
  if (Mix_OpenAudioDevice(kSampleRate, AUDIO_S16LSB, kChannels, kBufferFrames, nullptr, 0) != 0) {
    ReportFailure(std::string("no sound output: ") + Mix_GetError());
    SDL_QuitSubSystem(SDL_INIT_AUDIO);
    return false;
  }
  Mix_Init(MIX_INIT_MP3);
  failed_ = false;
  open_ = true;
  return true;
}

int AudioOutput::DeviceCount() {
  if (!Open()) return 0;
  // Some drivers cannot list their devices (-1) or offer only a default one;
  // an output that opened counts as one device then.
  int count = SDL_GetNumAudioDevices(0);
  return count > 0 ? count : 1;
}

void AudioOutput::Close() {
  failed_ = false;
  if (!open_) return;
  Mix_HaltChannel(-1);
  Mix_HaltMusic();
  Mix_SetPostMix(nullptr, nullptr);
  Mix_CloseAudio();
  Mix_Quit();
  SDL_QuitSubSystem(SDL_INIT_AUDIO);
  open_ = false;
}

}  // namespace veyora::frontend

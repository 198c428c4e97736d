#include "frontend/saver/quorin05_s.h"

#include "frontend/music/quorin05_bgm.h"
#include "frontend/saver/saver_music.h"
#include "frontend/startup/cursor_state.h"
#include "frontend/startup/dispatch.h"
#include "frontend/startup/program_paths.h"
#include "frontend/startup/settings.h"
#include "frontend/ui/program_end.h"
#include "frontend/ui/toolkit.h"
#include "platform/pointer_visibility.h"
#include "platform/program_files.h"
#include "platform/shared_names.h"
#include "platform/x_connection.h"

Quorin05_S::Quorin05_S()
    : ui::Form(QString::fromLatin1(names::kSaverTitle), Qt::Window | Qt::FramelessWindowHint),
      rendererWindow_(platform::SharedDisplay(), names::kRendererTitle) {
  Timer1.onTick = [this] { Timer1_Timer(); };
  Timer2.onTick = [this] { Timer2_Timer(); };
  Timer3.onTick = [this] { Timer3_Timer(); };
  BGM_SetPlatform(music_);
}

void Quorin05_S::FormLoad() {
  rendererPath_ = Renderer_Path();
  rendererStart_ = std::chrono::steady_clock::now();
  watch_ = RendererWatch(platform::StartProgram(rendererPath_));

  switch (ChosenMusic(BGM_Mode, BGM_File)) {
    case Saver_Music::CdAudio:
      CD_Open();
      Timer2.SetEnabled(true);
      break;
    case Saver_Music::WavFile:
      WAV_Play();
      break;
    case Saver_Music::Mp3File:
      MP3_Play();
      Timer1.SetEnabled(true);
      break;
    case Saver_Music::Silence:
      break;
  }
}

void Quorin05_S::Timer1_Timer() { MP3_Loop(); }

void Quorin05_S::Timer2_Timer() {
  CD_Poll();
  // One failed query ends the polling for the rest of the run.
  Timer2.SetEnabled(CD_Polling);
}

void Quorin05_S::Timer3_Timer() {
  const bool found = rendererWindow_.WindowPresent();
  const auto sinceStart = std::chrono::duration_cast<std::chrono::milliseconds>(
      std::chrono::steady_clock::now() - rendererStart_);
  if (!watch_.RendererGone(found, sinceStart)) return;
  Timer3.SetEnabled(false);
  Unload();
}

void Quorin05_S::FormQueryUnload() {
  // A CD whose polling has already stopped is left alone.
  if (Timer2.Enabled()) {
    Timer2.SetEnabled(false);
    CD_Stop();
  }
  switch (ChosenMusic(BGM_Mode, BGM_File)) {
    case Saver_Music::WavFile:
      WAV_Stop();
      break;
    case Saver_Music::Mp3File:
      MP3_Stop();
      break;
    default:
      break;
  }
  // Only a run with switch "S" hid the pointer. Without a count the hide did not
  // happen, and a show flag made from nothing would hide the pointer instead.
  if (SwitchLetter(Command_Line) == "S" && Cursor_Count) {
    Cursor_Count = platform::ShowPointer(*Cursor_Count != 0);
  }
  BGM_Shutdown();
  ui::EndProgram();
}

void LoadSaverWindow() {
  ui::StartToolkit();
  // Lives until the program ends: the run's end never returns.
  auto* window = new Quorin05_S;
  window->Load();
}

#pragma once

#include <chrono>
#include <string>

// Qt before Xlib, whose Bool and Status macros break Qt's headers.
#include "frontend/ui/form.h"
#include "frontend/ui/timer.h"

#include "frontend/music/system_music_platform.h"
#include "frontend/saver/renderer_watch.h"
#include "frontend/saver/renderer_window_look_up.h"

// The saver window: carries one screensaver run. Captioned "Quorin05_Main" so
// another start of the program finds it, loaded but never shown, so it takes no
// focus away from the renderer. Its load starts the renderer and the music; it
// then watches for the renderer's window and, once that has gone, stops the music,
// gives the pointer back and ends the program.
class Quorin05_S : public ui::Form {
 public:
  Quorin05_S();

  ui::Timer Timer1{1000, false};  // MP3 looping
  ui::Timer Timer2{200, false};   // CD polling
  ui::Timer Timer3{50, true};     // renderer watch

 protected:
  void FormLoad() override;
  void FormQueryUnload() override;

 private:
  void Timer1_Timer();
  void Timer2_Timer();
  void Timer3_Timer();

  std::string rendererPath_;
  std::chrono::steady_clock::time_point rendererStart_;
  RendererWatch watch_;
  RendererWindowLookUp rendererWindow_;
  SystemMusicPlatform music_;
};

// Starts the toolkit and loads the saver window; the program then lives on the
// window's timers until the run ends.
void LoadSaverWindow();

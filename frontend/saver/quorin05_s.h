#pragma once

#include <chrono>
#include <optional>
#include <string>

#include "frontend/music/quorin05_bgm.h"
#include "frontend/saver/renderer_process.h"
#include "frontend/saver/renderer_watch.h"
#include "frontend/saver/renderer_window_look_up.h"
#include "frontend/saver/saver_music.h"
#include "frontend/settings/settings.h"
#include "frontend/ui/form.h"
#include "frontend/ui/timer.h"

namespace veyora::frontend {

// Where a run shows the screensaver: full screen, in the renderer's own window,
// or inside a window a screen-saver host owns (its live preview without music).
struct SaverStage {
  uint32_t hostWindow = 0;  // 0: the renderer's own full-screen window
  bool withMusic = true;
};

// The saver window: carries one screensaver run. Captioned "Quorin05_Main" so
// another start of the program finds it, loaded but never shown, so it takes no
// focus away from the renderer. Its load starts the renderer and the music
// `settings` choose; it then watches for the renderer's window and, once that has
// gone (or its process has ended), stops the music, gives the pointer back when
// `pointerCount` holds the count its hiding returned, and ends the program. The
// system ending the front end ends the renderer and the run the same way. In a
// host's window the renderer's process alone tells that it has gone, the window
// has no caption (hosts run several side by side), and of the runs on one display
// only the first plays music.
class Quorin05_S : public ui::Form {
 public:
  Quorin05_S(const Settings& settings, std::optional<int> pointerCount, SaverStage stage = {});

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
  // SIGTERM, SIGINT or SIGHUP: the run ends, the renderer with it.
  void Terminated();

  Settings settings_;
  std::optional<int> pointerCount_;
  SaverStage stage_;
  SaverMusic musicChoice_ = SaverMusic::Silence;
  std::optional<RendererProcess> renderer_;
  std::chrono::steady_clock::time_point rendererStart_;
  RendererWatch watch_;
  RendererWindowLookUp rendererWindow_;
  Quorin05_BGM music_;
};

// Start the toolkit and load the saver window, full screen or in a host's window;
// the program then lives on the window's timers until the run ends.
void LoadSaverWindow(const Settings& settings, std::optional<int> pointerCount);
void LoadHostedRun(const Settings& settings, uint32_t hostWindow, bool withMusic);

}  // namespace veyora::frontend

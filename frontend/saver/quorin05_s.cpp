#include "frontend/saver/quorin05_s.h"

#include <cstdio>

#include "frontend/music/system_music_platform.h"
#include "frontend/saver/saver_claim.h"
#include "frontend/ui/program_end.h"
#include "frontend/ui/termination_signals.h"
#include "frontend/ui/toolkit.h"
#include "platform/pointer_visibility.h"
#include "platform/program_files.h"
#include "platform/shared_names.h"
#include "platform/termination_signals.h"
#include "platform/x_connection.h"

namespace veyora::frontend {

Quorin05_S::Quorin05_S(const Settings& settings, std::optional<int> pointerCount, SaverStage stage)
    : ui::Form(stage.hostWindow ? QString() : QString::fromLatin1(names::kSaverTitle),
               Qt::Window | Qt::FramelessWindowHint),
      settings_(settings),
      pointerCount_(pointerCount),
      stage_(stage),
      rendererWindow_(platform::SharedDisplay(), names::kRendererTitle),
      music_(std::make_unique<SystemMusicPlatform>(), settings) {
  Timer1.onTick = [this] { Timer1_Timer(); };
  Timer2.onTick = [this] { Timer2_Timer(); };
  Timer3.onTick = [this] { Timer3_Timer(); };
}

namespace {

std::string HexWindowId(uint32_t window) {
  char text[16];
  std::snprintf(text, sizeof text, "0x%x", window);
  return text;
}

// How long the renderer is given to end by itself when the run is ended from
// outside, before it is killed.
constexpr std::chrono::milliseconds kRendererPatience{300};

}  // namespace

void Quorin05_S::FormLoad() {
  ui::HandleTerminationSignals([this] { Terminated(); });
  rendererStart_ = std::chrono::steady_clock::now();
  renderer_.emplace(platform::Renderer_Path(), stage_.hostWindow
                                         ? std::vector<std::string>{"-window-id", HexWindowId(stage_.hostWindow)}
                                         : std::vector<std::string>{});

  const bool playsMusic = stage_.hostWindow == 0 ||
                          (stage_.withMusic && ClaimOnDisplay("music", DisplayString(platform::SharedDisplay())));
  musicChoice_ = playsMusic ? ChosenMusic(settings_.BGM_Mode, settings_.BGM_File) : SaverMusic::Silence;
  switch (musicChoice_) {
    case SaverMusic::CdAudio:
      music_.CD_Open();
      Timer2.SetEnabled(true);
      break;
    case SaverMusic::WavFile:
      music_.WAV_Play();
      break;
    case SaverMusic::Mp3File:
      music_.MP3_Play();
      Timer1.SetEnabled(true);
      break;
    case SaverMusic::Silence:
      break;
  }
}

void Quorin05_S::Timer1_Timer() { music_.MP3_Loop(); }

void Quorin05_S::Timer2_Timer() {
  music_.CD_Poll();
  // One failed query ends the polling for the rest of the run.
  Timer2.SetEnabled(music_.CD_Polling());
}

void Quorin05_S::Timer3_Timer() {
  const bool running = renderer_->Running();
  if (stage_.hostWindow == 0) {
    const bool found = rendererWindow_.WindowPresent();
    const auto sinceStart = std::chrono::duration_cast<std::chrono::milliseconds>(
        std::chrono::steady_clock::now() - rendererStart_);
    if (!watch_.RendererGone(found, running, sinceStart)) return;
  } else if (running) {
    return;
  }
  Timer3.SetEnabled(false);
  Unload();
}

void Quorin05_S::Terminated() {
  Timer3.SetEnabled(false);
  if (renderer_) renderer_->End(kRendererPatience);
  Unload();
}

void Quorin05_S::FormQueryUnload() {
  // A CD whose polling has already stopped is left alone.
  if (Timer2.Enabled()) {
    Timer2.SetEnabled(false);
    music_.CD_Stop();
  }
  switch (musicChoice_) {
    case SaverMusic::WavFile:
      music_.WAV_Stop();
      break;
    case SaverMusic::Mp3File:
      music_.MP3_Stop();
      break;
    default:
      break;
  }
  // Only a run whose start hid the pointer has a count to hand back; a show flag
  // made from nothing would hide the pointer instead.
  if (pointerCount_) pointerCount_ = platform::ShowPointer(*pointerCount_ != 0);
  music_.Shutdown();
  ui::EndProgram();
}

void LoadSaverWindow(const Settings& settings, std::optional<int> pointerCount) {
  ui::StartToolkit();
  // Lives until the program ends: the run's end never returns.
  auto* window = new Quorin05_S(settings, pointerCount);
  window->Load();
}

void LoadHostedRun(const Settings& settings, uint32_t hostWindow, bool withMusic) {
  platform::IgnoreHostRestartSignal();
  ui::StartToolkit();
  auto* window = new Quorin05_S(settings, std::nullopt, SaverStage{hostWindow, withMusic});
  window->Load();
}

}  // namespace veyora::frontend

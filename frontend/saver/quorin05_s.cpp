#include "frontend/saver/quorin05_s.h"

#include <chrono>

#include "frontend/desktop/desktop_kind.h"
#include "frontend/desktop/gnome_shell_overview.h"
#include "frontend/desktop/lock_sources.h"
#include "frontend/music/system_music_platform.h"
#include "frontend/system/failure_report.h"
#include "frontend/system/termination_signals.h"
#include "frontend/ui/pointer_visibility.h"

namespace veyora::frontend {

namespace {

// How long the renderer is given to end by itself when the run is ended from
// outside, before it is killed.
constexpr std::chrono::milliseconds kRendererPatience{300};

}  // namespace

Quorin05_S::Quorin05_S(const Settings& settings, const QString& caption, std::string rendererPath,
                       std::optional<int> pointerCount)
    : ui::Form(caption, Qt::Window | Qt::FramelessWindowHint),
      settings_(settings),
      rendererPath_(std::move(rendererPath)),
      pointerCount_(pointerCount),
      music_(std::make_unique<SystemMusicPlatform>(), settings) {
  Timer1.onTick = [this] { Timer1_Timer(); };
  Timer2.onTick = [this] { Timer2_Timer(); };
  Timer3.onTick = [this] { Timer3_Timer(); };
}

void Quorin05_S::FormLoad() {
  HandleTerminationSignals([this] { EndNow(); });
  if (OnWholeScreen()) {
    if (FollowLock()) {
      Timer3.SetEnabled(false);
      Unload();
      return;
    }
    LeaveGnomeShellOverview();
  }
  renderer_.emplace("the renderer", rendererPath_, RendererArguments());

  musicChoice_ =
      PlaysMusic() ? ChosenMusic(settings_.BGM_Mode, settings_.BGM_File) : SaverMusic::Silence;
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
  if (!RendererGone(renderer_->Running())) return;
  Timer3.SetEnabled(false);
  Unload();
}

bool Quorin05_S::FollowLock() {
  lock_ = std::make_unique<SessionLock>(DesktopOfThisSession());
  lock_->Follow([this](LockSource source) {
    // Several sources may tell of one lock.
    if (!Loaded()) return;
    ReportFailure(std::string("the session has locked (") + LockSourceName(source) +
                  "): the screensaver ends");
    EndNow();
  });
  // It may have locked since the start looked.
  const auto lockedBy = lock_->LockedBy();
  if (lockedBy) {
    ReportFailure(std::string("the session is locked or its shield is up (") +
                  LockSourceName(*lockedBy) + "): the screensaver does not start over it");
  }
  return lockedBy.has_value();
}

void Quorin05_S::EndNow() {
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
  if (pointerCount_) pointerCount_ = ui::ShowPointer(*pointerCount_ != 0);
  music_.Shutdown();
}

}  // namespace veyora::frontend

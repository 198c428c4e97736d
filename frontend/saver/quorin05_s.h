#pragma once

#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "frontend/desktop/session_lock.h"
#include "frontend/music/quorin05_bgm.h"
#include "frontend/saver/saver_music.h"
#include "frontend/settings/settings.h"
#include "frontend/system/child_program.h"
#include "frontend/ui/form.h"
#include "frontend/ui/timer.h"

namespace veyora::frontend {

// The saver window: carries one screensaver run, loaded but never shown, so it
// takes no focus away from the renderer. Its load starts the renderer and the
// music `settings` choose; it then asks at every tick of its watch timer whether
// the renderer has gone, and once it has, stops the music and unloads, which ends
// the program's run on its windows. The system ending the front end ends the
// renderer and the run the same way. Each way to run is a type of its own that
// says how the renderer is started, whether the run plays music and how it tells
// that the renderer has gone. A run whose start hid the pointer is given the count
// the hiding returned, and gives the pointer back at its end.
class Quorin05_S : public ui::Form {
 public:
  ui::Timer Timer1{1000, false};  // MP3 looping
  ui::Timer Timer2{200, false};   // CD polling
  ui::Timer Timer3{50, true};     // renderer watch

 protected:
  Quorin05_S(const Settings& settings, const QString& caption, std::string rendererPath,
             std::optional<int> pointerCount);

  virtual std::vector<std::string> RendererArguments() const = 0;
  // Asked once at load, after the renderer has been started.
  virtual bool PlaysMusic() = 0;
  // Asked at every tick of the renderer watch: true once the run is over.
  virtual bool RendererGone(bool rendererRunning) = 0;
  // True for a run on the whole screen, which the desktop's lock ends.
  virtual bool OnWholeScreen() const = 0;

 private:
  void FormLoad() override;
  void FormQueryUnload() override;
  void Timer1_Timer();
  void Timer2_Timer();
  void Timer3_Timer();
  // Follows the session's lock; true when it is locked already.
  bool FollowLock();
  // SIGTERM, SIGINT or SIGHUP, or the session's lock: the run ends, the renderer
  // with it.
  void EndNow();

  Settings settings_;
  std::string rendererPath_;
  std::optional<int> pointerCount_;
  SaverMusic musicChoice_ = SaverMusic::Silence;
  std::optional<ChildProgram> renderer_;
  std::unique_ptr<SessionLock> lock_;
  Quorin05_BGM music_;
};

}  // namespace veyora::frontend

#include "frontend/app/start_facts.h"

#include <cstdlib>

#include "frontend/desktop/desktop_kind.h"
#include "frontend/desktop/lock_sources.h"
#include "frontend/desktop/session_lock.h"
#include "frontend/saver/saver_claim.h"
#include "frontend/settings/settings_location.h"
#include "frontend/startup/failure_skipping.h"
#include "frontend/system/file_exists.h"
#include "frontend/system/program_files.h"
#include "frontend/ui/toolkit.h"
#include "platform/shared_names.h"
#include "platform/video_driver_choice.h"
#include "platform/window_search.h"
#include "platform/x_connection.h"

namespace veyora::frontend {

namespace {

template <class Answer, class Step>
Answer Ask(const char* what, Answer otherwise, const Step& step) {
  Answer answer = std::move(otherwise);
  SkipOnFailure(what, [&] { answer = step(); });
  return answer;
}

bool WindowTitled(const char* title) {
  return platform::FindTopLevelWindow(platform::SharedDisplay(), title) != None;
}

}  // namespace

void AnswerStartQuestion(StartQuestion question, const StartRequest& request, StartFacts& facts) {
  switch (question) {
    case StartQuestion::HostWindowExists:
      facts.hostWindowExists = Ask("look for the host's window", false, [&] {
        return platform::WindowExists(platform::SharedDisplay(), request.hostWindow);
      });
      return;
    case StartQuestion::SaverRunning:
      facts.saverRunning = Ask("look for a running screensaver", false,
                               [] { return WindowTitled(names::kSaverTitle); });
      return;
    case StartQuestion::DialogOpen:
      facts.dialogOpen = Ask("look for an open settings dialog", false,
                             [] { return WindowTitled(names::kDialogTitle); });
      return;
    case StartQuestion::Settings:
      facts.settings = Ask("load the settings", Settings{},
                           [] { return Settings_Load(LocateSettingsFiles().read); });
      return;
    case StartQuestion::RendererPresent:
      facts.rendererPresent =
          Ask("look for the renderer", false, [] { return File_Exists(Renderer_Path()); });
      return;
    case StartQuestion::SessionLocked:
      facts.sessionLock = Ask("ask whether the session is locked", std::string(), [] {
        // The desktop is asked over D-Bus, from the toolkit's application.
        ui::StartToolkit();
        const auto source = SessionLock(DesktopOfThisSession()).LockedBy();
        return std::string(source ? LockSourceName(*source) : "");
      });
      return;
    case StartQuestion::SaverClaimed:
      facts.saverClaimed = Ask("claim the screensaver run", false, [] {
        return ClaimOnDisplay("saver", DisplayString(platform::SharedDisplay()));
      });
      return;
    case StartQuestion::RendererOnWayland:
      facts.rendererOnWayland = platform::PreferredVideoDriver(std::getenv("WAYLAND_DISPLAY"),
                                                               std::getenv("SDL_VIDEODRIVER")) ==
                                platform::VideoDriver::Wayland;
      return;
  }
}

}  // namespace veyora::frontend

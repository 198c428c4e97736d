#include "frontend/app/start_facts.h"

#include <cstdlib>

#include "frontend/desktop/desktop_kind.h"
#include "frontend/desktop/lock_sources.h"
#include "frontend/desktop/session_lock.h"
#include "frontend/settings/settings_location.h"
#include "frontend/startup/failure_skipping.h"
#include "frontend/system/file_exists.h"
#include "frontend/system/program_files.h"
#include "frontend/system/session_claim.h"
#include "frontend/system/wayland_display.h"
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
  Display* display = platform::SharedDisplay();
  return display && platform::FindTopLevelWindow(display, title) != None;
}

std::string WaylandDisplayName() {
  const char* name = std::getenv("WAYLAND_DISPLAY");
  return name ? name : "";
}

// The claims of `what` on every display of this session. Where the toolkit runs
// on Wayland its windows are no X windows, so another start finds the saver run
// and the dialog by these alone.
std::vector<std::string> ClaimNames(const char* what) {
  Display* display = platform::SharedDisplay();
  return SessionClaimNames(what, display ? DisplayString(display) : "", WaylandDisplayName());
}

}  // namespace

void AnswerStartQuestion(StartQuestion question, const StartRequest& request, StartFacts& facts) {
  switch (question) {
    case StartQuestion::Displays:
      facts.displays =
          SessionDisplays{platform::SharedDisplay() != nullptr, WaylandDisplayAnswers()};
      return;
    case StartQuestion::HostWindowExists:
      facts.hostWindowExists = Ask("look for the host's window", false, [&] {
        return platform::WindowExists(platform::SharedDisplay(), request.hostWindow);
      });
      return;
    case StartQuestion::SaverRunning:
      facts.saverRunning = Ask("look for a running screensaver", false, [] {
        return WindowTitled(names::kSaverTitle) || ClaimedElsewhere(ClaimNames("saver"));
      });
      return;
    case StartQuestion::DialogOpen:
      facts.dialogOpen = Ask("look for an open settings dialog", false, [] {
        return WindowTitled(names::kDialogTitle) || ClaimedElsewhere(ClaimNames("dialog"));
      });
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
      facts.saverClaimed =
          Ask("claim the screensaver run", false, [] { return Claim(ClaimNames("saver")); });
      return;
    case StartQuestion::DialogClaimed:
      facts.dialogClaimed =
          Ask("claim the settings dialog", false, [] { return Claim(ClaimNames("dialog")); });
      return;
    case StartQuestion::RendererOnWayland:
      facts.rendererOnWayland = platform::PreferredVideoDriver(std::getenv("WAYLAND_DISPLAY"),
                                                               std::getenv("SDL_VIDEODRIVER")) ==
                                platform::VideoDriver::Wayland;
      return;
  }
}

}  // namespace veyora::frontend

#include "frontend/startup/start_decision.h"

#include "platform/shared_names.h"

namespace veyora::frontend {

namespace {

StartPlan Run(StartAction action, Settings settings = {}, uint32_t window = 0) {
  StartPlan plan;
  plan.action = action;
  plan.settings = std::move(settings);
  plan.window = window;
  return plan;
}

StartPlan End(Telling telling = Telling::Nothing, int status = 0, std::string message = {},
              std::string caption = {}) {
  StartPlan plan;
  plan.status = status;
  plan.telling = telling;
  plan.message = std::move(message);
  plan.caption = std::move(caption);
  return plan;
}

StartPlan Failure(std::string message) { return End(Telling::ErrorLine, 1, std::move(message)); }

StartPlan NoXDisplay(const std::string& what) {
  return Failure(what + " needs an X display, and no X server answers (DISPLAY)");
}

// A screensaver run inside a host's window, or its live preview.
std::variant<StartQuestion, StartPlan> DecideHosted(const StartRequest& request,
                                                    const StartFacts& facts) {
  if (!facts.displays->x) {
    return NoXDisplay(request.mode == Start_Mode::Hosted
                          ? "a run in a screen-saver host's X11 window (XSCREENSAVER_WINDOW)"
                          : "a host's live preview in its X11 window (-window-id)");
  }
  const std::string noWindow = "no window to draw in: \"" + request.hostWindowText + "\"";
  if (request.hostWindow == 0) return Failure(noWindow);
  if (!facts.hostWindowExists) return StartQuestion::HostWindowExists;
  if (!*facts.hostWindowExists) return Failure(noWindow);
  const bool withMusic = request.mode == Start_Mode::Hosted;
  if (withMusic && !facts.settings) return StartQuestion::Settings;
  if (!facts.rendererPresent) return StartQuestion::RendererPresent;
  if (!*facts.rendererPresent) {
    return Failure(std::string("the renderer ") + names::kRendererFile + " is not next to " +
                   names::kFrontEndFile);
  }
  return withMusic ? Run(StartAction::RunHosted, *facts.settings, request.hostWindow)
                   : Run(StartAction::RunHostedPreview, Settings{}, request.hostWindow);
}

}  // namespace

std::variant<StartQuestion, StartPlan> DecideStart(const StartRequest& request,
                                                   const StartFacts& facts) {
  if (!facts.displays) return StartQuestion::Displays;
  if (!facts.displays->x && !facts.displays->wayland) {
    return Failure("cannot open the X display, and the session has no Wayland display");
  }
  if (request.mode == Start_Mode::Hosted || request.mode == Start_Mode::HostedPreview) {
    return DecideHosted(request, facts);
  }
  if (request.mode == Start_Mode::Preview && !facts.displays->x) {
    return NoXDisplay("the preview in the display settings' X11 pane (/p)");
  }

  // Another instance's saver run or settings dialog is on: this start is not wanted.
  if (!facts.saverRunning) return StartQuestion::SaverRunning;
  if (*facts.saverRunning) return End();
  if (!facts.dialogOpen) return StartQuestion::DialogOpen;
  if (*facts.dialogOpen) return End();

  if (request.mode == Start_Mode::Preview) {
    return Run(StartAction::ShowPreview, Settings{}, request.previewParent);
  }

  if (!facts.settings) return StartQuestion::Settings;
  // Comes before the dialog, so the dialog too refuses to open without the renderer.
  if (!facts.rendererPresent) return StartQuestion::RendererPresent;
  if (!*facts.rendererPresent) {
    return End(Telling::MessageBox, 0,
               "Veyora(Ra05).dll が Veyora(Ra05).scr と同じﾌｫﾙﾀﾞに見つかりません！",
               names::kProgramTitle);
  }

  if (request.mode == Start_Mode::Configure) {
    // Two starts at the same moment both pass the look-up above; one claim wins.
    if (!facts.dialogClaimed) return StartQuestion::DialogClaimed;
    if (!*facts.dialogClaimed) return End();
    return Run(StartAction::ShowSettingsDialog, *facts.settings);
  }
  if (request.mode == Start_Mode::Quit) return End();

  // The desktop's lock screen is the user's way back: nothing is drawn over it.
  if (!facts.sessionLock) return StartQuestion::SessionLocked;
  if (!facts.sessionLock->empty()) {
    return End(Telling::ErrorLine, 0,
               "the session is locked or its shield is up (" + *facts.sessionLock +
                   "): the screensaver does not start over it");
  }
  // Two starts at the same moment both pass the look-up above; one claim wins.
  if (!facts.saverClaimed) return StartQuestion::SaverClaimed;
  if (!*facts.saverClaimed) return End();
  if (!facts.rendererOnWayland) return StartQuestion::RendererOnWayland;
  if (!*facts.rendererOnWayland && !facts.displays->x) {
    return NoXDisplay("the renderer told to use X11 (SDL_VIDEODRIVER)");
  }
  StartPlan plan = Run(
      *facts.rendererOnWayland ? StartAction::RunScreensaverOnWayland : StartAction::RunScreensaver,
      *facts.settings);
  plan.hidePointer = request.mode == Start_Mode::RunCursorHidden;
  return plan;
}

}  // namespace veyora::frontend

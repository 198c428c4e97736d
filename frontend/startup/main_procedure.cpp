#include "frontend/startup/main_procedure.h"

#include "frontend/startup/failure_skipping.h"
#include "platform/shared_names.h"

namespace veyora::frontend {

namespace {

// Calls a step when it is there; a step that fails is skipped.
template <class Step, class... Arguments>
void Run(const char* what, const Step& step, Arguments&&... arguments) {
  if (step) SkipOnFailure(what, [&] { step(std::forward<Arguments>(arguments)...); });
}

template <class Result, class Step, class... Arguments>
Result Ask(const char* what, const Step& step, Result otherwise, const Arguments&... arguments) {
  Result answer = otherwise;
  if (step) SkipOnFailure(what, [&] { answer = step(arguments...); });
  return answer;
}

// A screensaver run inside a host's window, or its live preview.
void RunHosted(const StartRequest& request, const Main_Steps& steps) {
  if (request.hostWindow == 0 ||
      !Ask("look for the host's window", steps.hostWindowExists, false, request.hostWindow)) {
    Run("end", steps.endWithFailure, "no window to draw in: \"" + request.hostWindowText + "\"");
    return;
  }
  const bool withMusic = request.mode == Start_Mode::Hosted;
  const Settings settings =
      withMusic ? Ask("load the settings", steps.loadSettings, Settings{}) : Settings{};
  if (!Ask("look for the renderer", steps.rendererPresent, false)) {
    Run("end", steps.endWithFailure, std::string("the renderer ") + names::kRendererFile +
                                         " is not next to " + names::kFrontEndFile);
    return;
  }
  Run("start the screensaver in the host's window", steps.loadHostedRun, settings,
      request.hostWindow, withMusic);
}

}  // namespace

void Main(const StartRequest& request, const Main_Steps& steps) {
  if (request.mode == Start_Mode::Hosted || request.mode == Start_Mode::HostedPreview) {
    RunHosted(request, steps);
    return;
  }

  // Another instance's saver run or settings dialog is on: this start is not wanted.
  if (Ask("look for a running screensaver", steps.windowExists, false,
          std::string(names::kSaverTitle)) ||
      Ask("look for an open settings dialog", steps.windowExists, false,
          std::string(names::kDialogTitle))) {
    Run("end", steps.endProgram);
    return;
  }

  if (request.mode == Start_Mode::Preview) {
    Run("show the preview", steps.hostPreview, request.previewParent);
    return;
  }

  Settings settings = Ask("load the settings", steps.loadSettings, Settings{});
  // Comes before the dialog, so the dialog too refuses to open without the renderer.
  if (!Ask("look for the renderer", steps.rendererPresent, false)) {
    Run("report the missing renderer", steps.reportMissingRenderer);
    Run("end", steps.endProgram);
    return;
  }

  switch (request.mode) {
    case Start_Mode::Configure:
      Run("show the settings dialog", steps.showSettingsDialogModal, settings);
      Run("end", steps.endProgram);
      return;
    case Start_Mode::Quit:
      Run("end", steps.endProgram);
      return;
    default:
      break;
  }
  // Two starts at the same moment both pass the look-up above; one claim wins.
  if (!Ask("claim the screensaver run", steps.claimSaverRun, false)) {
    Run("end", steps.endProgram);
    return;
  }
  std::optional<int> pointerCount;
  if (request.mode == Start_Mode::RunCursorHidden) {
    pointerCount = Ask("hide the pointer", steps.hidePointer, std::optional<int>());
  }
  Run("start the screensaver", steps.loadSaverWindow, std::as_const(settings), pointerCount);
}

}  // namespace veyora::frontend

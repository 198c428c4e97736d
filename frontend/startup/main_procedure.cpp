#include "frontend/startup/main_procedure.h"

#include "frontend/startup/cursor_state.h"
#include "frontend/startup/dispatch.h"
#include "frontend/startup/failure_skipping.h"
#include "platform/shared_names.h"

namespace {

// Calls a step when it is there; a step that fails is skipped.
template <class Step, class... Arguments>
void Run(const Step& step, Arguments... arguments) {
  if (step) SkipOnFailure([&] { step(arguments...); });
}

template <class Step>
bool Ask(const Step& step, bool otherwise, const auto&... arguments) {
  bool answer = otherwise;
  if (step) SkipOnFailure([&] { answer = step(arguments...); });
  return answer;
}

}  // namespace

void Main(const std::string& commandLine, const Main_Steps& steps) {
  // Another instance's saver run or settings dialog is on: this start is not wanted.
  if (Ask(steps.windowExists, false, std::string(names::kSaverTitle)) ||
      Ask(steps.windowExists, false, std::string(names::kDialogTitle))) {
    Run(steps.endProgram);
    return;
  }

  const Start_Mode mode = DispatchMode(commandLine);
  if (mode == Start_Mode::Preview) {
    Run(steps.hostPreview, PreviewParentHandle(commandLine));
    return;
  }

  Run(steps.loadSettings);
  // Comes before the dialog, so the dialog too refuses to open without the renderer.
  if (!Ask(steps.rendererPresent, false)) {
    Run(steps.reportMissingRenderer);
    Run(steps.endProgram);
    return;
  }

  if (mode == Start_Mode::Configure) {
    Run(steps.showSettingsDialogModal);
    Run(steps.endProgram);
    return;
  }
  if (mode == Start_Mode::Quit) {
    Run(steps.endProgram);
    return;
  }
  if (mode == Start_Mode::RunCursorHidden) {
    if (steps.hidePointer) SkipOnFailure([&] { Cursor_Count = steps.hidePointer(); });
  }
  Run(steps.loadSaverWindow);
}

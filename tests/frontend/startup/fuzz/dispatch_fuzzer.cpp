// Any command line: the dispatch, the number reader and the start decision must
// hold together without a crash, and the decision must come to a plan.
#include <cstdlib>
#include <string>
#include <variant>

#include "frontend/startup/dispatch.h"
#include "frontend/startup/start_decision.h"
#include "frontend/text/number_text.h"

using namespace veyora::frontend;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string commandLine(reinterpret_cast<const char*>(data), size);
  const StartRequest request = ParseStartRequest(commandLine);
  if (SwitchLetter(commandLine).size() > 4) std::abort();
  ReadLeadingNumber(commandLine);
  ParseNumberText(commandLine);

  // Every question answered the way that lets the start go on.
  StartFacts facts;
  StartPlan plan;
  for (int asked = 0;; ++asked) {
    const auto decision = DecideStart(request, facts);
    if (const auto* made = std::get_if<StartPlan>(&decision)) {
      plan = *made;
      break;
    }
    if (asked > 8) std::abort();
    switch (std::get<StartQuestion>(decision)) {
      case StartQuestion::Displays:
        facts.displays = SessionDisplays{.x = true, .wayland = false};
        break;
      case StartQuestion::HostWindowExists:
        facts.hostWindowExists = true;
        break;
      case StartQuestion::SaverRunning:
        facts.saverRunning = false;
        break;
      case StartQuestion::DialogOpen:
        facts.dialogOpen = false;
        break;
      case StartQuestion::Settings:
        facts.settings = Settings{};
        break;
      case StartQuestion::RendererPresent:
        facts.rendererPresent = true;
        break;
      case StartQuestion::SessionLocked:
        facts.sessionLock = "";
        break;
      case StartQuestion::SaverClaimed:
        facts.saverClaimed = true;
        break;
      case StartQuestion::DialogClaimed:
        facts.dialogClaimed = true;
        break;
      case StartQuestion::RendererOnWayland:
        facts.rendererOnWayland = false;
        break;
    }
  }

  StartAction expected = StartAction::End;
  switch (request.mode) {
    case Start_Mode::Preview:
      expected = StartAction::ShowPreview;
      break;
    case Start_Mode::Configure:
      expected = StartAction::ShowSettingsDialog;
      break;
    case Start_Mode::RunCursorHidden:
    case Start_Mode::RunCursorVisible:
      expected = StartAction::RunScreensaver;
      break;
    case Start_Mode::Quit:
      expected = StartAction::End;
      break;
    case Start_Mode::Hosted:
      expected = request.hostWindow ? StartAction::RunHosted : StartAction::End;
      break;
    case Start_Mode::HostedPreview:
      expected = request.hostWindow ? StartAction::RunHostedPreview : StartAction::End;
      break;
  }
  if (plan.action != expected) std::abort();
  if (plan.hidePointer != (request.mode == Start_Mode::RunCursorHidden)) std::abort();
  if (request.mode == Start_Mode::RunCursorVisible && !commandLine.empty()) std::abort();
  return 0;
}

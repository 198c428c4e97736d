// Any command line: the dispatch, the number reader and Main's order of steps
// must hold together without a crash.
#include <cstdlib>
#include <string>
#include <vector>

#include "frontend/startup/dispatch.h"
#include "frontend/startup/main_procedure.h"
#include "frontend/text/number_text.h"

using namespace veyora::frontend;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string commandLine(reinterpret_cast<const char*>(data), size);
  const StartRequest request = ParseStartRequest(commandLine);
  if (SwitchLetter(commandLine).size() > 4) std::abort();
  ReadLeadingNumber(commandLine);
  ParseNumberText(commandLine);

  std::vector<std::string> steps;
  Main_Steps recorded;
  recorded.windowExists = [](const std::string&) { return false; };
  recorded.loadSettings = [&] {
    steps.push_back("settings");
    return Settings{};
  };
  recorded.rendererPresent = [&] { return true; };
  recorded.claimSaverRun = [&] { return true; };
  recorded.hidePointer = [&] {
    steps.push_back("hide");
    return -1;
  };
  recorded.endProgram = [&] { steps.push_back("end"); };
  recorded.hostPreview = [&](uint32_t) { steps.push_back("preview"); };
  recorded.showSettingsDialogModal = [&](Settings&) { steps.push_back("dialog"); };
  recorded.loadSaverWindow = [&](const Settings&, std::optional<int>) { steps.push_back("saver"); };
  recorded.hostWindowExists = [](uint32_t) { return true; };
  recorded.endWithFailure = [&](const std::string&) { steps.push_back("fail"); };
  recorded.loadHostedRun = [&](const Settings&, uint32_t, bool) { steps.push_back("hosted"); };
  Main(request, recorded);

  const std::vector<std::string>* expected = nullptr;
  static const std::vector<std::string> preview{"preview"}, dialog{"settings", "dialog", "end"},
      hidden{"settings", "hide", "saver"}, visible{"settings", "saver"}, quit{"settings", "end"},
      hosted{"settings", "hosted"}, hostedPreview{"hosted"}, noWindow{"fail"};
  switch (request.mode) {
    case Start_Mode::Preview: expected = &preview; break;
    case Start_Mode::Configure: expected = &dialog; break;
    case Start_Mode::RunCursorHidden: expected = &hidden; break;
    case Start_Mode::RunCursorVisible: expected = &visible; break;
    case Start_Mode::Quit: expected = &quit; break;
    case Start_Mode::Hosted: expected = request.hostWindow ? &hosted : &noWindow; break;
    case Start_Mode::HostedPreview: expected = request.hostWindow ? &hostedPreview : &noWindow; break;
  }
  if (steps != *expected) std::abort();
  if (request.mode == Start_Mode::RunCursorVisible && !commandLine.empty()) std::abort();
  return 0;
}

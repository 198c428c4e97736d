// Veyora(Ra05).scr: started by the screensaver machinery with its switch on the
// command line. The start decision asks this machine what it needs to know and
// then picks the mode; the program lives as long as a window of that mode is
// loaded, and ends here, at once, when none is.
#include <cstdlib>
#include <string>
#include <variant>
#include <vector>

#include "frontend/app/start_facts.h"
#include "frontend/app/start_plan_run.h"
#include "frontend/idle/idle_command.h"
#include "frontend/idle/idle_main.h"
#include "frontend/startup/dispatch.h"
#include "frontend/startup/start_decision.h"
#include "frontend/ui/program_end.h"
#include "platform/standard_streams.h"

namespace veyora::frontend {
namespace {

// The start-up procedure: asks this machine what the start decision needs, then
// carries out its plan; returns the program's exit status.
int Main(const StartRequest& request) {
  StartFacts facts;
  for (;;) {
    const auto decision = DecideStart(request, facts);
    if (const auto* plan = std::get_if<StartPlan>(&decision)) return CarryOutStartPlan(*plan);
    AnswerStartQuestion(std::get<StartQuestion>(decision), request, facts);
  }
}

}  // namespace
}  // namespace veyora::frontend

int main(int argc, char** argv) {
  platform::KeepStandardStreamsOpen();
  using namespace veyora::frontend;
  // The idle watch needs no X display: on Wayland and GNOME it asks the desktop.
  const std::vector<std::string> arguments(argv + 1, argv + argc);
  if (IsIdleCommand(arguments)) return RunIdleCommand(arguments);
  // The window a screen-saver host owns, when one started the program.
  const char* hostWindow = std::getenv("XSCREENSAVER_WINDOW");
  ui::EndProgram(
      Main(ParseStartRequest(CommandLineText(argc, argv), hostWindow ? hostWindow : "")));
}

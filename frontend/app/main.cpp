// Veyora(Ra05).scr: started by the screensaver machinery with its switch on the
// command line. Main decides the mode; the program then lives as long as a window
// of that mode is loaded, and ends at once when none is.
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "frontend/app/main_steps.h"
#include "frontend/idle/idle_command.h"
#include "frontend/idle/idle_main.h"
#include "frontend/startup/dispatch.h"
#include "frontend/startup/main_procedure.h"
#include "frontend/ui/form.h"
#include "frontend/ui/program_end.h"
#include "platform/shared_names.h"
#include "platform/standard_streams.h"
#include "platform/x_connection.h"

int main(int argc, char** argv) {
  platform::KeepStandardStreamsOpen();
  using namespace veyora::frontend;
  // The idle watch needs no X display: on Wayland and GNOME it asks the desktop.
  const std::vector<std::string> arguments(argv + 1, argv + argc);
  if (IsIdleCommand(arguments)) return RunIdleCommand(arguments);
  if (!platform::SharedDisplay()) {
    std::fprintf(stderr, "%s: cannot open the X display\n", names::kFrontEndFile);
    return 1;
  }
  // The window a screen-saver host owns, when one started the program.
  const char* hostWindow = std::getenv("XSCREENSAVER_WINDOW");
  Main(ParseStartRequest(CommandLineText(argc, argv), hostWindow ? hostWindow : ""),
       PlatformMainSteps());
  ui::Form::RunWhileAnyLoaded();
  ui::EndProgram();
}

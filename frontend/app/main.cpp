// Veyora(Ra05).scr: started by the screensaver machinery with its switch on the
// command line. Main decides the mode; the program then lives as long as a window
// of that mode is loaded, and ends at once when none is.
#include <cstdio>
#include <cstdlib>

#include "frontend/app/main_steps.h"
#include "frontend/startup/dispatch.h"
#include "frontend/startup/main_procedure.h"
#include "frontend/ui/form.h"
#include "frontend/ui/program_end.h"
#include "platform/shared_names.h"
#include "platform/x_connection.h"

int main(int argc, char** argv) {
  using namespace veyora::frontend;
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

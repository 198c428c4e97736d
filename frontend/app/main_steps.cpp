#include "frontend/app/main_steps.h"

#include <QString>

#include "frontend/preview/preview_hosting.h"
#include "frontend/saver/quorin05_s.h"
#include "frontend/saver/saver_claim.h"
#include "frontend/settings/file_exists.h"
#include "frontend/startup/program_paths.h"
#include "frontend/ui/program_end.h"
#include "frontend/ui/toolkit.h"
#include "platform/pointer_visibility.h"
#include "platform/window_search.h"
#include "platform/x_connection.h"

Main_Steps PlatformMainSteps() {
  Main_Steps steps;
  steps.windowExists = [](const std::string& title) {
    return platform::FindTopLevelWindow(platform::SharedDisplay(), title) != None;
  };
  steps.loadSettings = [] { return Settings_Load(Settings_Path()); };
  steps.rendererPresent = [] { return File_Exists(Renderer_Path()); };
  steps.reportMissingRenderer = [] {
    ui::StartToolkit();
    ui::ShowMessage(QString::fromUtf8("Veyora(Ra05) (ScreenSaver)"),
                    QString::fromUtf8("Veyora(Ra05).dll が Veyora(Ra05).scr と同じﾌｫﾙﾀﾞに見つかりません！"));
  };
  steps.claimSaverRun = [] { return ClaimSaverRun(DisplayString(platform::SharedDisplay())); };
  steps.hidePointer = [] { return platform::ShowPointer(false); };
  steps.endProgram = [] { ui::EndProgram(); };
  steps.hostPreview = HostPreview;
  steps.loadSaverWindow = LoadSaverWindow;
  return steps;
}

#include "frontend/app/main_steps.h"

#include <QString>

#include "frontend/dialog/quorin05_p.h"
#include "frontend/preview/preview_hosting.h"
#include "frontend/saver/quorin05_s.h"
#include "frontend/saver/saver_claim.h"
#include "frontend/settings/settings_location.h"
#include "frontend/ui/program_end.h"
#include "frontend/ui/toolkit.h"
#include "platform/failure_report.h"
#include "platform/file_exists.h"
#include "platform/pointer_visibility.h"
#include "platform/program_files.h"
#include "platform/shared_names.h"
#include "platform/window_search.h"
#include "platform/x_connection.h"

namespace veyora::frontend {

Main_Steps PlatformMainSteps() {
  Main_Steps steps;
  steps.windowExists = [](const std::string& title) {
    return platform::FindTopLevelWindow(platform::SharedDisplay(), title) != None;
  };
  steps.loadSettings = [] { return Settings_Load(LocateSettingsFiles().read); };
  steps.rendererPresent = [] { return platform::File_Exists(platform::Renderer_Path()); };
  steps.reportMissingRenderer = [] {
    ui::StartToolkit();
    ui::ShowMessage(QString::fromUtf8(names::kProgramTitle),
                    QString::fromUtf8("Veyora(Ra05).dll が Veyora(Ra05).scr と同じﾌｫﾙﾀﾞに見つかりません！"));
  };
  steps.claimSaverRun = [] {
    return ClaimOnDisplay("saver", DisplayString(platform::SharedDisplay()));
  };
  steps.hidePointer = [] { return platform::ShowPointer(false); };
  steps.endProgram = [] { ui::EndProgram(); };
  steps.endWithFailure = [](const std::string& what) {
    platform::ReportFailure(what);
    ui::EndProgram(1);
  };
  steps.hostWindowExists = [](uint32_t window) {
    return platform::WindowExists(platform::SharedDisplay(), window);
  };
  steps.hostPreview = HostPreview;
  steps.showSettingsDialogModal = [](Settings& settings) {
    ShowSettingsDialog(settings, LocateSettingsFiles().write);
  };
  steps.loadSaverWindow = LoadSaverWindow;
  steps.loadHostedRun = LoadHostedRun;
  return steps;
}

}  // namespace veyora::frontend

#include "frontend/app/start_plan_run.h"

#include <QString>
#include <optional>
#include <utility>

#include "frontend/dialog/quorin05_p.h"
#include "frontend/preview/preview_hosting.h"
#include "frontend/saver/full_screen_run.h"
#include "frontend/saver/hosted_run.h"
#include "frontend/saver/wayland_run.h"
#include "frontend/settings/settings_location.h"
#include "frontend/startup/failure_skipping.h"
#include "frontend/system/failure_report.h"
#include "frontend/system/program_files.h"
#include "frontend/ui/form.h"
#include "frontend/ui/pointer_visibility.h"
#include "frontend/ui/toolkit.h"
#include "platform/termination_signals.h"

namespace veyora::frontend {

namespace {

void Tell(const StartPlan& plan) {
  switch (plan.telling) {
    case Telling::Nothing:
      return;
    case Telling::MessageBox:
      SkipOnFailure("report the missing renderer", [&] {
        ui::StartToolkit();
        ui::ShowMessage(QString::fromStdString(plan.caption), QString::fromStdString(plan.message));
      });
      return;
    case Telling::ErrorLine:
      ReportFailure(plan.message);
      return;
  }
}

// Starts the toolkit for its windows and loads a run of this type; the program
// then lives on the run window's timers until the run ends.
template <typename Run, typename... Arguments>
void LoadRun(ui::ToolkitWindows windows, Arguments&&... arguments) {
  ui::StartToolkit(windows);
  // Lives until the program ends.
  auto* window = new Run(std::forward<Arguments>(arguments)...);
  window->Load();
}

}  // namespace

int CarryOutStartPlan(const StartPlan& plan) {
  switch (plan.action) {
    case StartAction::ShowPreview: {
      bool shown = true;
      SkipOnFailure("show the preview", [&] { shown = HostPreview(plan.window); });
      if (!shown) return 0;
      break;
    }
    case StartAction::ShowSettingsDialog: {
      Settings settings = plan.settings;
      SkipOnFailure("show the settings dialog",
                    [&] { ShowSettingsDialog(settings, LocateSettingsFiles().write); });
      return 0;
    }
    case StartAction::RunScreensaver:
    case StartAction::RunScreensaverOnWayland: {
      std::optional<int> pointerCount;
      if (plan.hidePointer) {
        SkipOnFailure("hide the pointer", [&] { pointerCount = ui::ShowPointer(false); });
      }
      SkipOnFailure("start the screensaver", [&] {
        if (plan.action == StartAction::RunScreensaverOnWayland) {
          LoadRun<WaylandRun>(ui::ToolkitWindows::OfTheSession, plan.settings, pointerCount,
                              Renderer_Path());
        } else {
          LoadRun<FullScreenRun>(ui::ToolkitWindows::OfTheSession, plan.settings, pointerCount,
                                 Renderer_Path());
        }
      });
      break;
    }
    case StartAction::RunHosted:
    case StartAction::RunHostedPreview:
      SkipOnFailure("start the screensaver in the host's window", [&] {
        platform::IgnoreHostRestartSignal();
        LoadRun<HostedRun>(ui::ToolkitWindows::InX11Windows, plan.settings, plan.window,
                           plan.action == StartAction::RunHosted, Renderer_Path());
      });
      break;
    case StartAction::End:
      Tell(plan);
      return plan.status;
  }
  ui::Form::RunWhileAnyLoaded();
  return 0;
}

}  // namespace veyora::frontend

#include "frontend/saver/wayland_run.h"

#include "frontend/ui/toolkit.h"
#include "platform/program_files.h"
#include "platform/shared_names.h"

namespace veyora::frontend {

WaylandRun::WaylandRun(const Settings& settings, std::optional<int> pointerCount,
                       std::string rendererPath)
    : Quorin05_S(settings, QString::fromLatin1(names::kSaverTitle), std::move(rendererPath),
                 pointerCount) {}

void LoadWaylandRun(const Settings& settings, std::optional<int> pointerCount) {
  ui::StartToolkit();
  // Lives until the program ends.
  auto* window = new WaylandRun(settings, pointerCount, platform::Renderer_Path());
  window->Load();
}

}  // namespace veyora::frontend

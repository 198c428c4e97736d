#include "frontend/saver/wayland_run.h"

#include "frontend/ui/toolkit.h"
#include "platform/pointer_visibility.h"
#include "platform/program_files.h"
#include "platform/shared_names.h"

namespace veyora::frontend {

WaylandRun::WaylandRun(const Settings& settings, std::optional<int> pointerCount,
                       std::string rendererPath)
    : Quorin05_S(settings, QString::fromLatin1(names::kSaverTitle), std::move(rendererPath)),
      pointerCount_(pointerCount) {}

void WaylandRun::PutBack() {
  // As in the full-screen run: only a start that hid the pointer hands its count back.
  if (pointerCount_) pointerCount_ = platform::ShowPointer(*pointerCount_ != 0);
}

void LoadWaylandRun(const Settings& settings, std::optional<int> pointerCount) {
  ui::StartToolkit();
  // Lives until the program ends.
  auto* window = new WaylandRun(settings, pointerCount, platform::Renderer_Path());
  window->Load();
}

}  // namespace veyora::frontend

#include "frontend/saver/wayland_run.h"

#include "platform/shared_names.h"

namespace veyora::frontend {

WaylandRun::WaylandRun(const Settings& settings, std::optional<int> pointerCount,
                       std::string rendererPath)
    : Quorin05_S(settings, QString::fromLatin1(names::kSaverTitle), std::move(rendererPath),
                 pointerCount) {}

}  // namespace veyora::frontend

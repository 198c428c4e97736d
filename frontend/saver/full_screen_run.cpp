#include "frontend/saver/full_screen_run.h"

#include "platform/shared_names.h"
#include "platform/x_connection.h"

namespace veyora::frontend {

FullScreenRun::FullScreenRun(const Settings& settings, std::optional<int> pointerCount,
                             std::string rendererPath, std::chrono::milliseconds appearanceLimit)
    : Quorin05_S(settings, QString::fromLatin1(names::kSaverTitle), std::move(rendererPath),
                 pointerCount),
      rendererStart_(std::chrono::steady_clock::now()),
      watch_(appearanceLimit),
      rendererWindow_(platform::SharedDisplay(), names::kRendererTitle) {}

bool FullScreenRun::RendererGone(bool rendererRunning) {
  const bool found = rendererWindow_.WindowPresent();
  const auto sinceStart = std::chrono::duration_cast<std::chrono::milliseconds>(
      std::chrono::steady_clock::now() - rendererStart_);
  return watch_.RendererGone(found, rendererRunning, sinceStart);
}

}  // namespace veyora::frontend

#include "frontend/ui/termination_signals.h"

#include "frontend/ui/piped_signals.h"
#include "platform/termination_signals.h"

namespace veyora::frontend::ui {

void HandleTerminationSignals(std::function<void()> onSignal) {
  if (!platform::CatchTerminationSignals(platform::InterruptedCalls::Restart)) return;
  HandlePipedSignals([onSignal = std::move(onSignal)](const std::vector<int>&) { onSignal(); });
}

}  // namespace veyora::frontend::ui

#include "frontend/system/termination_signals.h"

#include "frontend/system/piped_signals.h"
#include "platform/termination_signals.h"

namespace veyora::frontend {

void HandleTerminationSignals(std::function<void()> onSignal) {
  if (!platform::CatchTerminationSignals(platform::InterruptedCalls::Restart)) return;
  HandlePipedSignals([onSignal = std::move(onSignal)](const std::vector<int>&) { onSignal(); });
}

}  // namespace veyora::frontend

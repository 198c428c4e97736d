#include "frontend/system/piped_signals.h"

#include <QSocketNotifier>

#include "platform/signal_pipe.h"

namespace veyora::frontend {

void HandlePipedSignals(std::function<void(const std::vector<int>& numbers)> onSignals) {
  // Lives as long as the program.
  auto* notifier = new QSocketNotifier(platform::SignalPipeFd(), QSocketNotifier::Read);
  QObject::connect(notifier, &QSocketNotifier::activated, [onSignals = std::move(onSignals)] {
    const std::vector<int> caught = platform::TakeNotedSignals();
    if (!caught.empty()) onSignals(caught);
  });
}

}  // namespace veyora::frontend

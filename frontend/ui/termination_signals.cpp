#include "frontend/ui/termination_signals.h"

#include <unistd.h>

#include <QSocketNotifier>

#include "platform/termination_signals.h"

namespace veyora::frontend::ui {

void HandleTerminationSignals(std::function<void()> onSignal) {
  if (!platform::CatchTerminationSignals(platform::InterruptedCalls::Restart)) return;
  const int fd = platform::TerminationFd();
  // Lives as long as the program.
  auto* notifier = new QSocketNotifier(fd, QSocketNotifier::Read);
  QObject::connect(notifier, &QSocketNotifier::activated, [fd, onSignal = std::move(onSignal)] {
    char bytes[16];
    while (read(fd, bytes, sizeof bytes) > 0) {
    }
    onSignal();
  });
}

}  // namespace veyora::frontend::ui

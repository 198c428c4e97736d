#include "frontend/ui/termination_signals.h"

#include <fcntl.h>
#include <signal.h>
#include <unistd.h>

#include <cerrno>

#include <QSocketNotifier>

namespace ui {
namespace {

// The signal handler only writes a byte here; the event loop reads it.
int signalPipe[2] = {-1, -1};

void NoteSignal(int) {
  const int saved = errno;
  const char byte = 1;
  [[maybe_unused]] const ssize_t ignored = write(signalPipe[1], &byte, 1);
  errno = saved;
}

}  // namespace

void HandleTerminationSignals(std::function<void()> onSignal) {
  if (signalPipe[0] < 0 && pipe2(signalPipe, O_CLOEXEC | O_NONBLOCK) != 0) return;
  // Lives as long as the program.
  auto* notifier = new QSocketNotifier(signalPipe[0], QSocketNotifier::Read);
  QObject::connect(notifier, &QSocketNotifier::activated, [onSignal = std::move(onSignal)] {
    char bytes[16];
    while (read(signalPipe[0], bytes, sizeof bytes) > 0) {
    }
    onSignal();
  });
  struct sigaction action {};
  action.sa_handler = NoteSignal;
  sigemptyset(&action.sa_mask);
  action.sa_flags = SA_RESTART;
  for (int signal : {SIGTERM, SIGINT, SIGHUP}) sigaction(signal, &action, nullptr);
}

}  // namespace ui

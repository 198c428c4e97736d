#include "frontend/idle/idle_signals.h"

#include <fcntl.h>
#include <signal.h>
#include <unistd.h>

#include <cerrno>

#include <QSocketNotifier>

namespace veyora::frontend {

namespace {

int signalPipe[2] = {-1, -1};

void NoteSignal(int signal) {
  const int saved = errno;
  const unsigned char byte = static_cast<unsigned char>(signal);
  [[maybe_unused]] const ssize_t ignored = write(signalPipe[1], &byte, 1);
  errno = saved;
}

}  // namespace

bool CatchIdleWatchSignals(std::function<void(int signal)> onSignal) {
  if (pipe2(signalPipe, O_CLOEXEC | O_NONBLOCK) != 0) return false;
  // Lives as long as the program.
  auto* notifier = new QSocketNotifier(signalPipe[0], QSocketNotifier::Read);
  QObject::connect(notifier, &QSocketNotifier::activated, [onSignal = std::move(onSignal)] {
    unsigned char bytes[16];
    ssize_t count = 0;
    while ((count = read(signalPipe[0], bytes, sizeof bytes)) > 0) {
      for (ssize_t i = 0; i < count; ++i) onSignal(bytes[i]);
    }
  });
  struct sigaction action {};
  action.sa_handler = NoteSignal;
  sigemptyset(&action.sa_mask);
  action.sa_flags = SA_RESTART | SA_NOCLDSTOP;
  for (int signal : {SIGTERM, SIGINT, SIGHUP, SIGUSR1, SIGCHLD})
    sigaction(signal, &action, nullptr);
  return true;
}

}  // namespace veyora::frontend

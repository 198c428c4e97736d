#include "platform/termination_signals.h"

#include <fcntl.h>
#include <signal.h>
#include <unistd.h>

#include <cerrno>
#include <initializer_list>

namespace platform {
namespace {

volatile sig_atomic_t terminationRequested = 0;

// The handler writes a byte here, so that waits which poll the read end wake at once.
int wakeFds[2] = {-1, -1};

void NoteTermination(int) {
  const int savedErrno = errno;
  terminationRequested = 1;
  if (wakeFds[1] >= 0) {
    const char byte = 1;
    [[maybe_unused]] const ssize_t written = write(wakeFds[1], &byte, 1);
  }
  errno = savedErrno;
}

}  // namespace

bool CatchTerminationSignals(InterruptedCalls calls) {
  if (wakeFds[0] < 0 && pipe2(wakeFds, O_CLOEXEC | O_NONBLOCK) != 0) {
    wakeFds[0] = wakeFds[1] = -1;
    return false;
  }
  struct sigaction action {};
  action.sa_handler = NoteTermination;
  sigemptyset(&action.sa_mask);
  action.sa_flags = calls == InterruptedCalls::Restart ? SA_RESTART : 0;
  for (int signal : {SIGTERM, SIGINT, SIGHUP}) sigaction(signal, &action, nullptr);
  return true;
}

void RequestTermination() { NoteTermination(SIGTERM); }

bool TerminationRequested() { return terminationRequested != 0; }

int TerminationFd() { return wakeFds[0]; }

void IgnoreHostRestartSignal() { signal(SIGUSR1, SIG_IGN); }

}  // namespace platform

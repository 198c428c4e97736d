#include "renderer/shell/termination.h"

#include <fcntl.h>
#include <signal.h>
#include <sys/prctl.h>
#include <unistd.h>

#include <cerrno>
#include <initializer_list>

namespace veyora {

namespace {

volatile sig_atomic_t terminationRequested = 0;

// A pipe the handler writes to, so that waits which poll its read end wake at once.
int wakeFds[2] = {-1, -1};

void RequestTermination(int) {
  const int savedErrno = errno;
  terminationRequested = 1;
  if (wakeFds[1] >= 0) {
    const char byte = 1;
    [[maybe_unused]] const ssize_t written = write(wakeFds[1], &byte, 1);
  }
  errno = savedErrno;
}

// The parent as the process found it when it started.
const pid_t startingParent = getppid();

}  // namespace

void InstallTerminationHandlers() {
  if (wakeFds[0] < 0 && pipe2(wakeFds, O_CLOEXEC | O_NONBLOCK) != 0) wakeFds[0] = wakeFds[1] = -1;
  struct sigaction action {};
  action.sa_handler = RequestTermination;
  sigemptyset(&action.sa_mask);
  for (int signal : {SIGTERM, SIGINT, SIGHUP}) sigaction(signal, &action, nullptr);
}

void EndWithParent() {
  prctl(PR_SET_PDEATHSIG, SIGTERM);
  // The request only covers a parent still alive when it is made; one that died
  // before has already handed the process to another (init or a subreaper).
  if (getppid() != startingParent) RequestTermination(SIGTERM);
}

bool TerminationRequested() { return terminationRequested != 0; }

int TerminationFd() { return wakeFds[0]; }

}  // namespace veyora

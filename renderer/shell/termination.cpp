#include "renderer/shell/termination.h"

#include <signal.h>
#include <sys/prctl.h>
#include <unistd.h>

#include <initializer_list>

namespace veyora {

namespace {

volatile sig_atomic_t terminationRequested = 0;

void RequestTermination(int) { terminationRequested = 1; }

// The parent as the process found it when it started.
const pid_t startingParent = getppid();

}  // namespace

void InstallTerminationHandlers() {
  struct sigaction action {};
  action.sa_handler = RequestTermination;
  sigemptyset(&action.sa_mask);
  for (int signal : {SIGTERM, SIGINT, SIGHUP}) sigaction(signal, &action, nullptr);
}

void EndWithParent() {
  prctl(PR_SET_PDEATHSIG, SIGTERM);
  // The request only covers a parent still alive when it is made; one that died
  // before has already handed the process to another (init or a subreaper).
  if (getppid() != startingParent) terminationRequested = 1;
}

bool TerminationRequested() { return terminationRequested != 0; }

}  // namespace veyora

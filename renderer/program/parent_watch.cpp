#include "renderer/program/parent_watch.h"

#include <signal.h>
#include <sys/prctl.h>
#include <unistd.h>

#include "platform/termination_signals.h"

namespace veyora {

namespace {

// The parent as the process found it when it started.
const pid_t startingParent = getppid();

}  // namespace

void EndWithParent() {
  prctl(PR_SET_PDEATHSIG, SIGTERM);
  // The request only covers a parent still alive when it is made; one that died
  // before has already handed the process to another (init or a subreaper).
  if (getppid() != startingParent) platform::RequestTermination();
}

}  // namespace veyora

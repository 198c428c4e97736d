#include "platform/signal_pipe.h"

#include <fcntl.h>
#include <signal.h>
#include <unistd.h>

#include <cerrno>

namespace platform {
namespace {

// Which signals have come, for loops that look rather than wait.
volatile sig_atomic_t noted[NSIG] = {};

// Each signal writes its number here, as one byte.
int pipeFds[2] = {-1, -1};

}  // namespace

bool PipeSignals(std::initializer_list<int> caught, int flags) {
  if (pipeFds[0] < 0 && pipe2(pipeFds, O_CLOEXEC | O_NONBLOCK) != 0) {
    pipeFds[0] = pipeFds[1] = -1;
    return false;
  }
  struct sigaction action {};
  action.sa_handler = NoteSignal;
  sigemptyset(&action.sa_mask);
  action.sa_flags = flags;
  for (int signal : caught) sigaction(signal, &action, nullptr);
  return true;
}

void NoteSignal(int signal) {
  const int savedErrno = errno;
  if (signal > 0 && signal < NSIG) noted[signal] = 1;
  if (pipeFds[1] >= 0) {
    const unsigned char byte = static_cast<unsigned char>(signal);
    [[maybe_unused]] const ssize_t written = write(pipeFds[1], &byte, 1);
  }
  errno = savedErrno;
}

bool SignalNoted(int signal) { return signal > 0 && signal < NSIG && noted[signal] != 0; }

int SignalPipeFd() { return pipeFds[0]; }

std::vector<int> TakeNotedSignals() {
  std::vector<int> taken;
  unsigned char bytes[16];
  ssize_t count = 0;
  while (pipeFds[0] >= 0 && (count = read(pipeFds[0], bytes, sizeof bytes)) > 0)
    taken.insert(taken.end(), bytes, bytes + count);
  return taken;
}

}  // namespace platform

#include "renderer/core/wait_for_input.h"

#include <poll.h>

#include <algorithm>
#include <cmath>
#include <vector>

#include "platform/termination_signals.h"

namespace veyora {

void WaitForInput(std::initializer_list<int> fds, double seconds) {
  std::vector<pollfd> watched;
  for (int fd : fds) watched.push_back({fd, POLLIN, 0});
  if (platform::TerminationFd() >= 0) watched.push_back({platform::TerminationFd(), POLLIN, 0});
  const int ms = std::max(1, static_cast<int>(std::ceil(seconds * 1e3)));
  poll(watched.data(), watched.size(), ms);
}

}  // namespace veyora

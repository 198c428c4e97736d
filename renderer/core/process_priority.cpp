#include "renderer/core/process_priority.h"

#include <sys/resource.h>

#include <algorithm>
#include <cerrno>

namespace veyora {

namespace {
constexpr int kPriorityDrop = 10;
constexpr int kWeakestNice = 19;
}  // namespace

void LowerPriority() {
  errno = 0;
  const int current = getpriority(PRIO_PROCESS, 0);
  if (errno == 0) setpriority(PRIO_PROCESS, 0, std::min(current + kPriorityDrop, kWeakestNice));
}

}  // namespace veyora

#include "frontend/desktop/idle_block_rules.h"

#include <algorithm>

namespace veyora::frontend {

bool NamesIdle(std::string_view what) {
  while (true) {
    const size_t colon = what.find(':');
    if (what.substr(0, colon) == "idle") return true;
    if (colon == std::string_view::npos) return false;
    what.remove_prefix(colon + 1);
  }
}

bool HoldsIdleBlock(const std::vector<LogindInhibitor>& inhibitors) {
  return std::any_of(inhibitors.begin(), inhibitors.end(), [](const LogindInhibitor& inhibitor) {
    return inhibitor.mode == "block" && NamesIdle(inhibitor.what);
  });
}

}  // namespace veyora::frontend

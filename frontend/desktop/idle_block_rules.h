#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace veyora::frontend {

// One entry of logind's ListInhibitors: what it inhibits, a colon-separated list
// ("idle", "sleep:idle"), and its mode, "block" or "delay".
struct LogindInhibitor {
  std::string what;
  std::string mode;
};

// True when a colon-separated list of inhibited operations, as logind's
// BlockInhibited or an inhibitor's what, names "idle".
bool NamesIdle(std::string_view what);

// True when one of the inhibitors blocks the idle state, as `systemd-inhibit
// --what=idle` (mode block, its default) holds it for a player or a long job.
bool HoldsIdleBlock(const std::vector<LogindInhibitor>& inhibitors);

}  // namespace veyora::frontend

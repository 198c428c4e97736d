#pragma once

#include <cstdint>

namespace veyora {

// The scene's seed for a run inside a host's window: the time in seconds mixed with
// the host window's id and the process id. A host starts one run per monitor at the
// same moment, and each must draw a picture of its own; the full-screen run keeps
// the time alone.
std::uint32_t HostedSeed(std::int64_t seconds, std::uint64_t hostWindow, std::int64_t processId);

}  // namespace veyora

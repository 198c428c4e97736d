#include "renderer/core/hosted_seed.h"

namespace veyora {

namespace {

// SplitMix64's step: every input bit reaches every output bit, so inputs that
// differ in a few low bits (ids and times close together) give unrelated seeds.
std::uint64_t Mix(std::uint64_t x) {
  x += 0x9E3779B97F4A7C15u;
  x = (x ^ (x >> 30)) * 0xBF58476D1CE4E5B9u;
  x = (x ^ (x >> 27)) * 0x94D049BB133111EBu;
  return x ^ (x >> 31);
}

}  // namespace

std::uint32_t HostedSeed(std::int64_t seconds, std::uint64_t hostWindow, std::int64_t processId) {
  const std::uint64_t mixed = Mix(Mix(Mix(static_cast<std::uint64_t>(seconds)) ^ hostWindow) ^
                                  static_cast<std::uint64_t>(processId));
  return static_cast<std::uint32_t>(mixed ^ (mixed >> 32));
}

}  // namespace veyora

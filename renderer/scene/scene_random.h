#pragma once

#include <cstdint>

namespace veyora {

// The scene's one source of randomness: a 15-bit linear congruential generator
// (state * 214013 + 2531011, result bits 16 to 30). Every call is one draw; the
// order of draws decides the animation.
class SceneRandom {
 public:
  // Seeds with `seed` (the time in seconds in the program) and throws the first 20
  // draws away.
  explicit SceneRandom(std::uint32_t seed);

  // 0 to 32767 inclusive.
  int RandomInt();
  // Uniform in [-1, 1].
  float RandomSigned();
  // Uniform in [0, 1].
  float RandomUnit();

 private:
  std::uint32_t state_;
};

}  // namespace veyora

#pragma once

#include <cstdint>

namespace veyora {

// How a colour buffer carries out the fade's blend, destination × (1 − alpha),
// on its whole-number levels.
struct FadeArithmetic {
  // Bits per channel of the buffer the picture is kept in.
  int bits = 8;
  float alpha = 0.0f;
  // Every stepDownEvery-th fade also takes one level off (0: never).
  std::uint32_t stepDownEvery = 0;
  // The driver rounds the blend's result to the nearest level, as Mesa's software
  // rasterizers do. Other drivers may round down or up as well.
  bool roundsToNearest = true;
};

// The number of fades after which a pixel at the brightest level, and with it
// every pixel, has reached a level that the fade no longer changes: true black
// where the fade steps down, or the few lowest levels where it does not. Past
// that, fading a pixel that no sprite has drawn on since is a waste: the picture
// stays the same to the bit.
std::uint32_t FadesUntilSettled(const FadeArithmetic& arithmetic);

}  // namespace veyora

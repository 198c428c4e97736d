#include "renderer/gl/fade_settling.h"

#include <algorithm>
#include <array>
#include <cmath>

namespace veyora {

namespace {

enum class Rounding { Nearest, Down, Up };

// One fade of `level` out of `top`, as the blend computes it. The blend factor
// (1 − alpha) is held at the buffer's precision: alpha as a whole number of
// levels, so that the factor is (top − a) / top. With a = 22 of 255 for the
// scene's alpha of 0.088, the 8-bit factor is 233 / 255.
std::int64_t FadeOnce(std::int64_t level, std::int64_t top, std::int64_t alphaLevels,
                      Rounding rounding, bool stepDown) {
  const std::int64_t product = level * (top - alphaLevels);
  std::int64_t faded = 0;
  switch (rounding) {
    case Rounding::Nearest:
      faded = (2 * product + top) / (2 * top);
      break;
    case Rounding::Down:
      faded = product / top;
      break;
    case Rounding::Up:
      faded = (product + top - 1) / top;
      break;
  }
  // The subtracting blend that steps down stops at black.
  return stepDown ? std::max<std::int64_t>(faded - 1, 0) : faded;
}

// The last fade that still changes the brightest level, the step-down counter
// starting at `phase`.
std::uint32_t LastChange(const FadeArithmetic& a, Rounding rounding, std::uint32_t phase) {
  const std::int64_t top = (std::int64_t{1} << a.bits) - 1;
  const auto alphaLevels = static_cast<std::int64_t>(std::lround(a.alpha * top));
  std::int64_t level = top;
  std::uint32_t last = 0;
  // A fade that changes nothing, on a frame that steps down and on one that does
  // not, will never change anything again.
  for (std::uint32_t fade = 1, unchangedInARow = 0; unchangedInARow < 2 * (a.stepDownEvery + 1);
       ++fade) {
    const bool stepDown = a.stepDownEvery && (phase + fade - 1) % a.stepDownEvery == 0;
    const std::int64_t next = FadeOnce(level, top, alphaLevels, rounding, stepDown);
    if (next != level) {
      last = fade;
      unchangedInARow = 0;
    } else {
      ++unchangedInARow;
    }
    level = next;
  }
  return last;
}

}  // namespace

// The fade is monotonic: a darker pixel never ends up brighter than a brighter
// one, so the brightest level settles last. It is iterated with the blend's own
// whole-number arithmetic, from every phase of the step-down counter (a sprite may
// draw on any frame), and for every rounding the driver may use. With the scene's
// alpha this gives:
//   8 bits, stepping down every fifth fade, rounding to nearest: 63 fades to black
//     (rounding up: 93; down: 38);
//   8 bits without the step: 41 fades, to level 5 or below (up: 11, down: 0);
//   16 bits: 101 fades, to level 5 of 65535 or below, whatever the rounding.
std::uint32_t FadesUntilSettled(const FadeArithmetic& arithmetic) {
  constexpr std::array<Rounding, 3> kAllRoundings = {Rounding::Nearest, Rounding::Down,
                                                     Rounding::Up};
  const std::size_t roundings = arithmetic.roundsToNearest ? 1 : kAllRoundings.size();
  const std::uint32_t phases = std::max<std::uint32_t>(arithmetic.stepDownEvery, 1);
  std::uint32_t settled = 0;
  for (std::size_t r = 0; r < roundings; ++r) {
    for (std::uint32_t phase = 0; phase < phases; ++phase) {
      settled = std::max(settled, LastChange(arithmetic, kAllRoundings[r], phase));
    }
  }
  return settled;
}

}  // namespace veyora

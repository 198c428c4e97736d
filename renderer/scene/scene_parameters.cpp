#include "renderer/scene/scene_parameters.h"

#include <cmath>

namespace veyora {

float FadeAlpha(int fadeStrength) {
  return static_cast<float>(0.5 -
                            0.15495 * std::sqrt(std::sqrt(static_cast<double>(fadeStrength))));
}

float SpriteHalfSize(int spriteSize) { return static_cast<float>(spriteSize * 0.005); }

}  // namespace veyora

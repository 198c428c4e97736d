#pragma once

#include <array>

namespace veyora {

// Red, green and blue of hue h, saturation s and value v (all nominally 0 to 1).
// The sextant bounds are the six-digit decimals 0.166667, 0.333333, 0.5, 0.666667
// and 0.833333; channels slightly outside [0, 1] are left for OpenGL to clamp.
std::array<float, 3> HsvToRgb(float h, float s, float v);

}  // namespace veyora

#include "renderer/scene/hsv_colour.h"

namespace veyora {

std::array<float, 3> HsvToRgb(float h, float s, float v) {
  float r, g, b;
  if (h < 0.166667f) {
    r = 1.0f, g = 6.0f * h, b = 0.0f;
  } else if (h < 0.333333f) {
    r = 1.0f - 6.0f * (h - 0.166667f), g = 1.0f, b = 0.0f;
  } else if (h < 0.5f) {
    r = 0.0f, g = 1.0f, b = 6.0f * (h - 0.333333f);
  } else if (h < 0.666667f) {
    r = 0.0f, g = 1.0f - 6.0f * (h - 0.5f), b = 1.0f;
  } else if (h < 0.833333f) {
    r = 6.0f * (h - 0.666667f), g = 0.0f, b = 1.0f;
  } else {
    r = 1.0f, g = 0.0f, b = 1.0f - 6.0f * (h - 0.833333f);
  }
  std::array<float, 3> rgb{r, g, b};
  for (float& c : rgb) c = (1.0f - s * (1.0f - c)) * v;
  return rgb;
}

}  // namespace veyora

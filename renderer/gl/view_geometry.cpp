#include "renderer/gl/view_geometry.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace veyora {

namespace {
constexpr float kClassicHalfWidth = 5.0f;
constexpr float kClassicHalfHeight = 4.0f;
// Extra width beyond the visible edge, so rounding never leaves a column uncovered.
constexpr double kEdgeMargin = 1.25;
}  // namespace

FadeExtents FadeRectangle(double aspect) {
  const double halfAngle = kFieldOfViewDegrees / 2.0 * std::numbers::pi / 180.0;
  const double visibleHalfWidth = kEyeDistance * std::tan(halfAngle) * aspect;
  const double needed = visibleHalfWidth * kEdgeMargin;
  return {std::max(kClassicHalfWidth, static_cast<float>(needed)), kClassicHalfHeight};
}

}  // namespace veyora

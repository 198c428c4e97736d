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

PixelRect SpriteFootprint(int width, int height, float x, float y, float z, float halfSize) {
  const PixelRect whole{0, 0, width, height};
  if (!std::isfinite(x) || !std::isfinite(y) || !std::isfinite(z)) return whole;
  // Distance in front of the eye; the square is upright, so all of it is at the
  // same distance and it is clipped whole or not at all.
  const double depth = kEyeDistance - double{z};
  if (depth < kNearPlane * 0.5 || depth > kFarPlane * 1.01) return {};
  // So close to the near plane that the driver's float arithmetic may keep it.
  if (depth < kNearPlane * 2.0) return whole;
  const double focal = 1.0 / std::tan(kFieldOfViewDegrees / 2.0 * std::numbers::pi / 180.0);
  const double aspect = static_cast<double>(width) / height;
  // Window coordinates of an edge, limited to just beyond the view.
  auto column = [&](double sceneX) {
    const double pixel = (focal / aspect * sceneX / depth + 1.0) * 0.5 * width;
    return std::clamp(pixel, -2.0, width + 2.0);
  };
  auto row = [&](double sceneY) {
    const double pixel = (focal * sceneY / depth + 1.0) * 0.5 * height;
    return std::clamp(pixel, -2.0, height + 2.0);
  };
  const int x0 = std::max(static_cast<int>(std::floor(column(double{x} - halfSize))) - 1, 0);
  const int x1 = std::min(static_cast<int>(std::ceil(column(double{x} + halfSize))) + 1, width);
  const int y0 = std::max(static_cast<int>(std::floor(row(double{y} - halfSize))) - 1, 0);
  const int y1 = std::min(static_cast<int>(std::ceil(row(double{y} + halfSize))) + 1, height);
  if (x0 >= x1 || y0 >= y1) return {};
  return {x0, y0, x1 - x0, y1 - y0};
}

}  // namespace veyora

#include <gtest/gtest.h>

#include <cmath>
#include <numbers>

#include "renderer/gl/view_geometry.h"

namespace veyora {
namespace {

// Where a point of the plane z = 0 lands on the screen, in normalised device
// coordinates (-1 to 1 across the view), for the renderer's perspective.
double NdcX(double x, double aspect) {
  const double f = 1.0 / std::tan(kFieldOfViewDegrees / 2.0 * std::numbers::pi / 180.0);
  return f / aspect * x / kEyeDistance;
}

double NdcY(double y) {
  const double f = 1.0 / std::tan(kFieldOfViewDegrees / 2.0 * std::numbers::pi / 180.0);
  return f * y / kEyeDistance;
}

TEST(FadeRectangleTest, ClassicRectangleAt4By3And5By4) {
  for (double aspect : {4.0 / 3.0, 5.0 / 4.0, 1.0}) {
    const FadeExtents e = FadeRectangle(aspect);
    EXPECT_EQ(e.halfWidth, 5.0f);
    EXPECT_EQ(e.halfHeight, 4.0f);
  }
}

TEST(FadeRectangleTest, CoversTheWholeViewAtAnyAspect) {
  for (double aspect : {0.5, 4.0 / 3.0, 1.6, 1.7, 16.0 / 9.0, 21.0 / 9.0, 32.0 / 9.0, 6.0}) {
    const FadeExtents e = FadeRectangle(aspect);
    EXPECT_GT(NdcX(e.halfWidth, aspect), 1.0) << aspect;
    EXPECT_GT(NdcY(e.halfHeight), 1.0) << aspect;
  }
  // The classic width alone falls short on a 16:9 screen.
  EXPECT_LT(NdcX(5.0, 16.0 / 9.0), 1.0);
}

}  // namespace
}  // namespace veyora

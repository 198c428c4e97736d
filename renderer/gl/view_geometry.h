#pragma once

#include "renderer/gl/pixel_rect.h"

namespace veyora {

// The renderer's fixed view: a perspective with a 100-degree vertical field of view
// whose eye sits 2.5 units in front of the scene's origin.
constexpr double kFieldOfViewDegrees = 100.0;
constexpr double kNearPlane = 0.01;
constexpr double kFarPlane = 200.0;
constexpr float kEyeDistance = 2.5f;

// Half the width and height of the black rectangle, in the plane z = 0, that fades
// earlier frames.
struct FadeExtents {
  float halfWidth;
  float halfHeight;
};

// The fade rectangle for a view of this aspect ratio (width / height). It is the
// classic 10 x 8 rectangle, widened on screens wider than it covers (about 1.68:1)
// so that no strip at the sides is left unfaded.
FadeExtents FadeRectangle(double aspect);

// The pixels of a view of `width` x `height` that a sprite may draw on: its square
// of half-size `halfSize`, facing the eye at (x, y, z) in the scene, through the
// view's projection, with a pixel more all round against the driver's rounding.
// Empty when the square lies wholly off the view, in front of the near plane or
// beyond the far one; the whole view for a position that is not finite.
PixelRect SpriteFootprint(int width, int height, float x, float y, float z, float halfSize);

}  // namespace veyora

#pragma once

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

}  // namespace veyora

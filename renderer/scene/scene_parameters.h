#pragma once

namespace veyora {

// The eight whole-number parameters that govern the glow scene. The renderer has no
// settings: the window creation sets them to these values once and they never change.
struct SceneParameters {
  int SystemCount = 1;
  int TrailCount = 1;
  int PointsPerTrail = 200;
  int Speed = 50;
  int FadeStrength = 50;
  int SpriteSize = 20;
  int RandomizeFrequency = 100;
  int RotationSpeed = 100;
};

// Opacity of the black rectangle that fades earlier frames (about 0.088 at strength 50).
float FadeAlpha(int fadeStrength);

// Half the side of a sprite in scene units (0.1 at size 20).
float SpriteHalfSize(int spriteSize);

}  // namespace veyora

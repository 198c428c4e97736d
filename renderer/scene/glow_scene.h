#pragma once

#include <array>
#include <cstdint>
#include <vector>

#include "renderer/scene/scene_parameters.h"
#include "renderer/scene/scene_random.h"
#include "renderer/scene/sprite_sink.h"

namespace veyora {

// One sample of a trail.
struct GlowPoint {
  float x = 0.0f;
  float y = 3.0f;
  float z = 0.0f;
  float hue = 0.0f;
  float saturation = 0.0f;
};

// A ring of points; `head` is the newest.
struct GlowTrail {
  std::vector<GlowPoint> points;
  std::int32_t head = 0;
  float offsetX = 0.0f;
  float offsetY = 0.0f;
  float offsetZ = 0.0f;
};

// Trails fed by one map with eight coefficients c0..c7 moving at velocities d0..d7.
struct GlowSystem {
  std::vector<GlowTrail> trails;
  std::int32_t randomizeCountdown = 1;
  std::array<float, 8> coeff{};
  std::array<float, 8> coeffVelocity{};
};

// The whole animation. Each step feeds every trail one point and turns the view by
// one rotation step; all records are made once, nothing is allocated per step.
struct GlowScene {
  SceneParameters parameters;
  SceneRandom random;
  std::vector<GlowSystem> systems;
  float rotationAngle = 0.0f;
  float rotationCos = 1.0f;
  float rotationSin = 0.0f;
  float valueStep = 0.0f;
  std::int32_t trailSerial = 0;
};

// Builds the scene, seeding the generator with `seed` (the time in seconds).
GlowScene CreateScene(const SceneParameters& parameters, std::uint32_t seed);

// One step of the animation: turns the view, then updates and draws every system.
void AdvanceScene(GlowScene& scene, SpriteSink& sink);

// Advances the rotation by one step, kept below 360 degrees.
void StepRotation(GlowScene& scene);

// Counts down to the next coefficient re-draw, moves the coefficients, then updates
// and draws each trail.
void UpdateSystem(GlowScene& scene, GlowSystem& system, SpriteSink& sink);

// Feeds the trail one point from the map, guards it against divergence on the ring's
// wrap, and draws the ring oldest first.
void UpdateAndDrawTrail(GlowScene& scene, GlowTrail& trail, const std::array<float, 8>& c,
                        SpriteSink& sink);

}  // namespace veyora

#include "renderer/scene/glow_scene.h"

#include <cmath>

#include "renderer/scene/hsv_colour.h"

namespace veyora {

namespace {

// Uniform scales of the five newest points of a ring, newest first.
constexpr std::array<float, 5> kNewestPointScales{0.259f, 0.5f, 0.707f, 0.866f, 0.966f};

// Points farther out than this (or NaN) have run away.
constexpr float kDivergenceBound = 1e9f;

float Shrink(float u) { return u * (1.0f - 1.0f / (u * u + 1.0f)); }

bool WithinBounds(float u) { return u >= -kDivergenceBound && u <= kDivergenceBound; }

GlowTrail CreateTrail(const SceneParameters& p, int serial) {
  GlowTrail trail;
  const float share = static_cast<float>(serial) / static_cast<float>(p.TrailCount);
  trail.offsetX = std::cos(6.2831855f * share);
  trail.offsetY = share - 0.5f;
  trail.offsetZ = std::sin(6.2831855f * share);
  trail.points.assign(p.PointsPerTrail, GlowPoint{});
  trail.head = 0;
  return trail;
}

}  // namespace

GlowScene CreateScene(const SceneParameters& parameters, std::uint32_t seed) {
  GlowScene scene{parameters, SceneRandom(seed), {}, 0.0f, 1.0f, 0.0f, 0.0f, 0};
  const SceneParameters& p = scene.parameters;
  scene.valueStep = 1.0f / static_cast<float>(p.PointsPerTrail);
  const float speedSquared = static_cast<float>(p.Speed * p.Speed);
  scene.systems.reserve(p.SystemCount);
  for (int s = 0; s < p.SystemCount; ++s) {
    GlowSystem& system = scene.systems.emplace_back();
    scene.trailSerial = 0;
    system.trails.reserve(p.TrailCount);
    for (int t = 0; t < p.TrailCount; ++t) {
      system.trails.push_back(CreateTrail(p, scene.trailSerial++));
    }
    system.randomizeCountdown = 1;
    for (int i = 0; i < 8; ++i) {
      system.coeff[i] = scene.random.RandomSigned();
      system.coeffVelocity[i] =
          scene.random.RandomUnit() * (speedSquared * 0.000005f) + speedSquared * 0.000001f;
    }
  }
  return scene;
}

void StepRotation(GlowScene& scene) {
  scene.rotationAngle += static_cast<float>(scene.parameters.RotationSpeed) * 0.01f;
  if (scene.rotationAngle >= 360.0f) scene.rotationAngle -= 360.0f;
  const float radians = scene.rotationAngle * 0.017453292f;
  scene.rotationCos = std::cos(radians);
  scene.rotationSin = std::sin(radians);
}

void AdvanceScene(GlowScene& scene, SpriteSink& sink) {
  StepRotation(scene);
  for (GlowSystem& system : scene.systems) UpdateSystem(scene, system, sink);
}

void UpdateSystem(GlowScene& scene, GlowSystem& system, SpriteSink& sink) {
  if (--system.randomizeCountdown <= 0) {
    for (float& c : system.coeff) c = scene.random.RandomSigned();
    const int spread = 101 - scene.parameters.RandomizeFrequency;
    const int t = spread * spread;
    const int r = scene.random.RandomInt();
    system.randomizeCountdown = t + (r * t) / 32767;
  }
  for (int i = 0; i < 8; ++i) {
    float& c = system.coeff[i];
    float& d = system.coeffVelocity[i];
    c += d;
    if (c >= 1.0f) {
      c = 1.0f;
      d = -d;
    }
    if (c <= -1.0f) {
      c = -1.0f;
      d = -d;
    }
  }
  for (GlowTrail& trail : system.trails) UpdateAndDrawTrail(scene, trail, system.coeff, sink);
}

void UpdateAndDrawTrail(GlowScene& scene, GlowTrail& trail, const std::array<float, 8>& c,
                        SpriteSink& sink) {
  const int count = static_cast<int>(trail.points.size());
  const GlowPoint old = trail.points[trail.head];
  trail.head = trail.head + 1 == count ? 0 : trail.head + 1;
  GlowPoint& next = trail.points[trail.head];

  const float gx = Shrink(old.x), gy = Shrink(old.y), gz = Shrink(old.z);
  next.x = c[6] * trail.offsetX + old.x - gx + c[5] * old.z + c[2] * old.y;
  next.y = c[6] * trail.offsetY + old.y - gy + c[1] * old.z + c[4] * old.x;
  next.z = c[6] * trail.offsetZ + old.z - gz + c[3] * old.y + c[0] * old.x;

  float h = gx * gx + gy * gy + gz * gz;
  if (h > 1.0f) h = 1.0f;
  h += c[7];
  if (h > 1.0f) h -= 1.0f;
  if (h < 0.0f) h += 1.0f;
  next.hue = h;

  float s = h + c[0];
  if (s < 0.0f) s = -s;
  s -= std::trunc(s);
  next.saturation = 1.0f - s * s;

  if (trail.head == 0) {
    GlowPoint& first = trail.points[0];
    if (!WithinBounds(first.x) || !WithinBounds(first.y) || !WithinBounds(first.z)) {
      first.x = scene.random.RandomSigned();
      first.y = scene.random.RandomSigned();
      first.z = scene.random.RandomSigned();
    }
  }

  float value = scene.valueStep;
  for (int k = 1; k <= count; ++k) {
    const GlowPoint& point = trail.points[(trail.head + k) % count];
    const int age = count - k;
    const float scale =
        age < static_cast<int>(kNewestPointScales.size()) ? kNewestPointScales[age] : 1.0f;
    sink.DrawSprite(HsvToRgb(point.hue, point.saturation, value),
                    point.x * scene.rotationCos + point.z * scene.rotationSin, point.y,
                    point.z * scene.rotationCos - point.x * scene.rotationSin, scale);
    value += scene.valueStep;
  }
}

}  // namespace veyora

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <limits>
#include <vector>

#include "renderer/scene/glow_scene.h"

namespace veyora {
namespace {

constexpr std::uint32_t kSeed = 20261208;

struct DrawnSprite {
  std::array<float, 3> rgb;
  float x, y, z, scale;
};

class RecordingSink final : public SpriteSink {
 public:
  void DrawSprite(const std::array<float, 3>& rgb, float x, float y, float z,
                  float scale) override {
    sprites.push_back({rgb, x, y, z, scale});
  }
  std::vector<DrawnSprite> sprites;
};

class DiscardingSink final : public SpriteSink {
 public:
  void DrawSprite(const std::array<float, 3>&, float, float, float, float) override {}
};

GlowScene Scene(std::uint32_t seed = kSeed) { return CreateScene(SceneParameters{}, seed); }

// The coefficient re-draw at the start of an update: eight signed draws, then the
// countdown draw.
std::array<float, 8> RedrawnCoefficients(SceneRandom& random) {
  std::array<float, 8> c{};
  for (float& value : c) value = random.RandomSigned();
  random.RandomInt();
  return c;
}

TEST(CreateSceneTest, DrawsCoefficientsAndVelocitiesAlternately) {
  const GlowScene scene = Scene();
  SceneRandom twin(kSeed);
  ASSERT_EQ(scene.systems.size(), 1u);
  const GlowSystem& system = scene.systems[0];
  for (int i = 0; i < 8; ++i) {
    EXPECT_FLOAT_EQ(system.coeff[i], twin.RandomSigned()) << i;
    const float d = system.coeffVelocity[i];
    EXPECT_NEAR(d, twin.RandomUnit() * 0.0125f + 0.0025f, 1e-8f) << i;
    EXPECT_GE(d, 0.0025f);
    EXPECT_LE(d, 0.015f);
  }
  EXPECT_EQ(system.randomizeCountdown, 1);
  EXPECT_FLOAT_EQ(scene.valueStep, 0.005f);
}

TEST(CreateSceneTest, TheTrailStartsAtTheTopWithItsOffset) {
  const GlowScene scene = Scene();
  const GlowTrail& trail = scene.systems[0].trails[0];
  EXPECT_FLOAT_EQ(trail.offsetX, 1.0f);
  EXPECT_FLOAT_EQ(trail.offsetY, -0.5f);
  EXPECT_FLOAT_EQ(trail.offsetZ, 0.0f);
  EXPECT_EQ(trail.head, 0);
  ASSERT_EQ(trail.points.size(), 200u);
  for (const GlowPoint& p : trail.points) {
    EXPECT_TRUE(p.x == 0.0f && p.y == 3.0f && p.z == 0.0f && p.saturation == 0.0f);
  }
}

TEST(UpdateSystemTest, FirstStepFromTheStartPoint) {
  GlowScene scene = Scene();
  SceneRandom twin = scene.random;
  GlowSystem& system = scene.systems[0];
  const auto velocities = system.coeffVelocity;
  DiscardingSink sink;
  UpdateSystem(scene, system, sink);

  std::array<float, 8> c = RedrawnCoefficients(twin);
  for (int i = 0; i < 8; ++i) {
    c[i] += velocities[i];
    if (c[i] >= 1.0f) c[i] = 1.0f;
    EXPECT_FLOAT_EQ(system.coeff[i], c[i]) << i;
  }
  const GlowTrail& trail = system.trails[0];
  ASSERT_EQ(trail.head, 1);
  const GlowPoint& p = trail.points[1];
  EXPECT_NEAR(p.x, c[6] + 3.0f * c[2], 1e-5f);
  EXPECT_NEAR(p.y, 0.3f - 0.5f * c[6], 1e-5f);
  EXPECT_NEAR(p.z, 3.0f * c[3], 1e-5f);
  // g(3)^2 = 7.29 is limited to 1 before c7 is added and the hue wrapped.
  float hue = 1.0f + c[7];
  if (hue > 1.0f) hue -= 1.0f;
  EXPECT_NEAR(p.hue, hue, 1e-6f);
  float s = std::fabs(hue + c[0]);
  s -= std::trunc(s);
  EXPECT_NEAR(p.saturation, 1.0f - s * s, 1e-6f);
}

TEST(UpdateSystemTest, CountdownRedrawsEveryFrameExceptAfterTheTopDraw) {
  // Find a seed whose countdown draw in the first update is 32767: 16 draws in
  // CreateScene, then 8 coefficients, then the countdown.
  std::uint32_t seed = 0;
  for (;; ++seed) {
    SceneRandom probe(seed);
    for (int i = 0; i < 24; ++i) probe.RandomInt();
    if (probe.RandomInt() == 32767) break;
  }
  GlowScene scene = Scene(seed);
  GlowSystem& system = scene.systems[0];
  DiscardingSink sink;
  UpdateSystem(scene, system, sink);
  EXPECT_EQ(system.randomizeCountdown, 2);

  // The next frame only counts down: no draw, the coefficients just move on.
  const auto before = system.coeff;
  const auto velocities = system.coeffVelocity;
  SceneRandom untouched = scene.random;
  system.trails[0].head = 5;  // keep the divergence guard out of this frame
  UpdateSystem(scene, system, sink);
  EXPECT_EQ(system.randomizeCountdown, 1);
  EXPECT_EQ(scene.random.RandomInt(), untouched.RandomInt());
  for (int i = 0; i < 8; ++i) {
    EXPECT_FLOAT_EQ(system.coeff[i], std::clamp(before[i] + velocities[i], -1.0f, 1.0f)) << i;
  }
  // With an ordinary draw the countdown is back to 1 and the redraw happens again.
  UpdateSystem(scene, system, sink);
  EXPECT_EQ(system.randomizeCountdown, 1);
}

TEST(UpdateSystemTest, CoefficientsReachingABoundAreClampedAndTurnBack) {
  GlowScene scene = Scene();
  GlowSystem& system = scene.systems[0];
  system.randomizeCountdown = 10;
  system.coeff = {0.75f, -0.75f, 0.5f, -0.5f, 0.0f, 0.0f, 0.0f, 0.0f};
  system.coeffVelocity = {0.25f, -0.25f, 0.25f, -0.25f, 0.5f, -0.5f, 0.0f, 0.0f};
  DiscardingSink sink;
  UpdateSystem(scene, system, sink);
  // Exactly 1.0 and exactly -1.0 both count as reaching the bound.
  EXPECT_EQ(system.coeff[0], 1.0f);
  EXPECT_EQ(system.coeffVelocity[0], -0.25f);
  EXPECT_EQ(system.coeff[1], -1.0f);
  EXPECT_EQ(system.coeffVelocity[1], 0.25f);
  // Inside the bounds nothing turns.
  EXPECT_EQ(system.coeff[2], 0.75f);
  EXPECT_EQ(system.coeffVelocity[2], 0.25f);
  EXPECT_EQ(system.coeff[4], 0.5f);
  EXPECT_EQ(system.coeffVelocity[4], 0.5f);
  UpdateSystem(scene, system, sink);
  EXPECT_EQ(system.coeff[0], 0.75f);
  EXPECT_EQ(system.coeff[1], -0.75f);
}

TEST(StepRotationTest, WholeDegreesWrappingAt360) {
  GlowScene scene = Scene();
  for (int frame = 1; frame <= 725; ++frame) {
    StepRotation(scene);
    ASSERT_EQ(scene.rotationAngle, static_cast<float>(frame % 360)) << frame;
  }
  // Frame 725 stands at 5 degrees.
  EXPECT_NEAR(scene.rotationCos, std::cos(5.0 * 3.14159265 / 180.0), 1e-6);
  EXPECT_NEAR(scene.rotationSin, std::sin(5.0 * 3.14159265 / 180.0), 1e-6);
}

TEST(UpdateAndDrawTrailTest, RingWrapsAndGuardRunsOnlyOnTheWrappingFrame) {
  GlowScene scene = Scene();
  GlowSystem& system = scene.systems[0];
  GlowTrail& trail = system.trails[0];
  const std::array<float, 8> still{};  // with all coefficients 0 nothing diverges
  DiscardingSink sink;
  for (int frame = 1; frame < 200; ++frame) {
    UpdateAndDrawTrail(scene, trail, still, sink);
    ASSERT_EQ(trail.head, frame);
  }
  // A runaway point just before the wrap: the new point 0 inherits NaN and the guard
  // replaces it with three signed draws, keeping its hue and saturation.
  const float nan = std::numeric_limits<float>::quiet_NaN();
  trail.points[199] = GlowPoint{nan, 0.0f, 0.0f, 0.25f, 0.5f};
  SceneRandom twin = scene.random;
  UpdateAndDrawTrail(scene, trail, still, sink);
  ASSERT_EQ(trail.head, 0);
  EXPECT_FLOAT_EQ(trail.points[0].x, twin.RandomSigned());
  EXPECT_FLOAT_EQ(trail.points[0].y, twin.RandomSigned());
  EXPECT_FLOAT_EQ(trail.points[0].z, twin.RandomSigned());
  EXPECT_TRUE(std::isnan(trail.points[0].hue));

  // Away from the wrap a runaway point is fed on unguarded.
  trail.points[0] = GlowPoint{0.0f, 2e9f, 0.0f, 0.0f, 0.0f};
  twin = scene.random;
  UpdateAndDrawTrail(scene, trail, {0, 0, 1, 0, 0, 0, 0, 0}, sink);
  EXPECT_EQ(trail.head, 1);
  EXPECT_GT(trail.points[1].x, 1e9f);
  EXPECT_EQ(scene.random.RandomInt(), twin.RandomInt());
}

TEST(UpdateAndDrawTrailTest, GuardLeavesPointsAtTheBoundAlone) {
  GlowScene scene = Scene();
  GlowTrail& trail = scene.systems[0].trails[0];
  trail.head = 199;
  // With only c2 = 1 the new x is the old y: exactly 1e9, on the bound, not beyond.
  trail.points[199] = GlowPoint{0.0f, 1e9f, 0.0f, 0.0f, 0.0f};
  SceneRandom twin = scene.random;
  DiscardingSink sink;
  UpdateAndDrawTrail(scene, trail, {0, 0, 1, 0, 0, 0, 0, 0}, sink);
  ASSERT_EQ(trail.head, 0);
  EXPECT_EQ(trail.points[0].x, 1e9f);
  EXPECT_EQ(scene.random.RandomInt(), twin.RandomInt());
}

TEST(UpdateAndDrawTrailTest, DrawsOldestFirstWithRisingValueAndShrunkNewest) {
  GlowScene scene = Scene();
  RecordingSink sink;
  AdvanceScene(scene, sink);
  ASSERT_EQ(sink.sprites.size(), 200u);
  const GlowTrail& trail = scene.systems[0].trails[0];

  // The oldest: a start point, white at value 0.005, full size, turned by 1 degree.
  const DrawnSprite& oldest = sink.sprites.front();
  for (float channel : oldest.rgb) EXPECT_FLOAT_EQ(channel, 0.005f);
  EXPECT_EQ(oldest.scale, 1.0f);
  EXPECT_NEAR(oldest.x, 0.0f, 1e-6f);
  EXPECT_FLOAT_EQ(oldest.y, 3.0f);

  // Values climb by 0.005 per sprite; the five newest shrink.
  for (int k = 1; k <= 195; ++k) {
    EXPECT_EQ(sink.sprites[k - 1].scale, 1.0f) << k;
    EXPECT_NEAR(sink.sprites[k - 1].rgb[0], 0.005f * k, 1e-4f) << k;
  }
  const float scales[] = {0.966f, 0.866f, 0.707f, 0.5f, 0.259f};
  for (int i = 0; i < 5; ++i) EXPECT_EQ(sink.sprites[195 + i].scale, scales[i]);

  // The newest is drawn last at value 1, at its point turned about the vertical axis.
  const DrawnSprite& newest = sink.sprites.back();
  const GlowPoint& p = trail.points[trail.head];
  const float c = scene.rotationCos, s = scene.rotationSin;
  EXPECT_NEAR(newest.x, p.x * c + p.z * s, 1e-6f);
  EXPECT_FLOAT_EQ(newest.y, p.y);
  EXPECT_NEAR(newest.z, p.z * c - p.x * s, 1e-6f);
  const float maxChannel = std::max({newest.rgb[0], newest.rgb[1], newest.rgb[2]});
  EXPECT_NEAR(maxChannel, 1.0f, 1e-4f);
}

}  // namespace
}  // namespace veyora

#include "renderer/scene/scene_random.h"

namespace veyora {

namespace {
constexpr int kDiscardedDraws = 20;
}

SceneRandom::SceneRandom(std::uint32_t seed) : state_(seed) {
  for (int i = 0; i < kDiscardedDraws; ++i) RandomInt();
}

int SceneRandom::RandomInt() {
  state_ = state_ * 214013u + 2531011u;  // wraps modulo 2^32
  return static_cast<int>((state_ >> 16) & 0x7FFFu);
}

float SceneRandom::RandomSigned() {
  return static_cast<float>(RandomInt()) * (2.0f / 32767.0f) - 1.0f;
}

float SceneRandom::RandomUnit() { return static_cast<float>(RandomInt()) * (1.0f / 32767.0f); }

}  // namespace veyora

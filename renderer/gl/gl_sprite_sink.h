#pragma once

#include "renderer/scene/sprite_sink.h"

namespace veyora {

// Draws each sprite with the sprite list at its point, coloured and scaled.
class GlSpriteSink final : public SpriteSink {
 public:
  void DrawSprite(const std::array<float, 3>& rgb, float x, float y, float z, float scale) override;
};

}  // namespace veyora

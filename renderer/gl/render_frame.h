#pragma once

#include <SDL.h>

#include "renderer/gl/picture_buffer.h"
#include "renderer/gl/view_geometry.h"
#include "renderer/scene/glow_scene.h"
#include "renderer/scene/sprite_sink.h"

namespace veyora {

// What one frame is drawn with besides the scene.
struct FrameTargets {
  SDL_Window* window;
  PictureBuffer& picture;
  FadeExtents fade;
  float fadeAlpha;
};

// Darkens the picture with the translucent black rectangle.
void DrawFade(const FadeExtents& extents, float alpha);

// Sets additive blending for the sprites.
void BeginSpritePass();

// One frame: fade the picture, advance the scene by one step drawing its sprites
// into `sink`, then present.
void RenderFrame(GlowScene& scene, SpriteSink& sink, const FrameTargets& targets);

}  // namespace veyora

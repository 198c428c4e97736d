#pragma once

#include "renderer/gl/picture_buffer.h"
#include "renderer/gl/view_geometry.h"
#include "renderer/scene/glow_scene.h"
#include "renderer/scene/sprite_sink.h"

namespace veyora {

// What one frame is drawn with besides the scene.
struct FrameTargets {
  PictureBuffer& picture;
  FadeExtents fade;
  float fadeAlpha;
};

// Sets additive blending for the sprites.
void BeginSpritePass();

// One frame but for showing it: fade the picture, advance the scene by one step
// drawing its sprites into `sink`, and flush, so the driver can go on drawing while
// other windows' frames are drawn.
void DrawFrame(GlowScene& scene, SpriteSink& sink, const FrameTargets& targets);

// One frame, drawn and shown.
void RenderFrame(GlowScene& scene, SpriteSink& sink, const FrameTargets& targets);

}  // namespace veyora

#include "renderer/gl/render_frame.h"

#include <GL/gl.h>

namespace veyora {

void BeginSpritePass() {
  glBlendFunc(GL_ONE, GL_ONE);
  glEnable(GL_BLEND);
}

void DrawFrame(GlowScene& scene, SpriteSink& sink, const FrameTargets& targets) {
  targets.picture.BeginDrawing();
  glMatrixMode(GL_MODELVIEW);
  glLoadIdentity();
  targets.picture.Fade(targets.fade, targets.fadeAlpha);
  BeginSpritePass();
  AdvanceScene(scene, sink);
  glFlush();
}

void RenderFrame(GlowScene& scene, SpriteSink& sink, const FrameTargets& targets) {
  DrawFrame(scene, sink, targets);
  targets.picture.Present();
}

}  // namespace veyora

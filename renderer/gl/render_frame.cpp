#include "renderer/gl/render_frame.h"

#include <GL/gl.h>

namespace veyora {

void DrawFade(const FadeExtents& extents, float alpha) {
  glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
  glEnable(GL_BLEND);
  glDisable(GL_DEPTH_TEST);
  glColor4f(0.0f, 0.0f, 0.0f, alpha);
  const float w = extents.halfWidth, h = extents.halfHeight;
  glBegin(GL_TRIANGLE_STRIP);
  glVertex3f(-w, -h, 0.0f);
  glVertex3f(w, -h, 0.0f);
  glVertex3f(-w, h, 0.0f);
  glVertex3f(w, h, 0.0f);
  glEnd();
}

void BeginSpritePass() {
  glBlendFunc(GL_ONE, GL_ONE);
  glEnable(GL_BLEND);
}

void RenderFrame(GlowScene& scene, SpriteSink& sink, const FrameTargets& targets) {
  targets.picture.BeginDrawing();
  glMatrixMode(GL_MODELVIEW);
  glLoadIdentity();
  DrawFade(targets.fade, targets.fadeAlpha);
  BeginSpritePass();
  AdvanceScene(scene, sink);
  targets.picture.Present(targets.window);
}

}  // namespace veyora

#include "renderer/gl/render_frame.h"

#include <GL/gl.h>

namespace veyora {

namespace {

// Passes the sprites on to be drawn and tells the picture where each lands.
class NotingSink final : public SpriteSink {
 public:
  NotingSink(SpriteSink& drawing, PictureBuffer& picture, float halfSize)
      : drawing_(drawing), picture_(picture), halfSize_(halfSize) {}
  void DrawSprite(const std::array<float, 3>& rgb, float x, float y, float z,
                  float scale) override {
    drawing_.DrawSprite(rgb, x, y, z, scale);
    picture_.NoteSprite(x, y, z, halfSize_ * scale);
  }

 private:
  SpriteSink& drawing_;
  PictureBuffer& picture_;
  float halfSize_;
};

}  // namespace

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
  NotingSink noting(sink, targets.picture, SpriteHalfSize(scene.parameters.SpriteSize));
  AdvanceScene(scene, noting);
  glFlush();
}

void RenderFrame(GlowScene& scene, SpriteSink& sink, const FrameTargets& targets) {
  DrawFrame(scene, sink, targets);
  targets.picture.Present();
}

}  // namespace veyora

#include "renderer/gl/gl_sprite_sink.h"

#include <GL/gl.h>

#include "renderer/gl/gl_setup.h"

namespace veyora {

void GlSpriteSink::DrawSprite(const std::array<float, 3>& rgb, float x, float y, float z,
                              float scale) {
  glColor3fv(rgb.data());
  glPushMatrix();
  glTranslatef(x, y, z);
  if (scale != 1.0f) glScalef(scale, scale, scale);
  glCallList(kSpriteListName);
  glPopMatrix();
}

}  // namespace veyora

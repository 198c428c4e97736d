#include "renderer/gl/gl_setup.h"

#include <GL/gl.h>
#include <GL/glu.h>

#include "renderer/gl/picture_keeping.h"
#include "renderer/gl/sprite_texture.h"
#include "renderer/gl/view_geometry.h"

namespace veyora {

namespace {

void UploadSpriteTexture() {
  const auto texels = SpriteTexture();
  glEnable(GL_TEXTURE_2D);
  glBindTexture(GL_TEXTURE_2D, kSpriteTextureName);
  glTexEnvf(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_MODULATE);
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_LINEAR);
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR);
  // Rows of 64 one-byte texels need no padding, but say so rather than rely on it.
  glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
  glTexImage2D(GL_TEXTURE_2D, 0, 1, kSpriteTextureSize, kSpriteTextureSize, 0, GL_LUMINANCE,
               GL_UNSIGNED_BYTE, texels.data());
}

// Two counter-clockwise triangles facing the eye, texture coordinates before each vertex.
void CompileSpriteList(float s) {
  glNewList(kSpriteListName, GL_COMPILE);
  glBindTexture(GL_TEXTURE_2D, kSpriteTextureName);
  glBegin(GL_TRIANGLES);
  glTexCoord2f(0, 0), glVertex3f(-s, -s, 0);
  glTexCoord2f(1, 0), glVertex3f(s, -s, 0);
  glTexCoord2f(1, 1), glVertex3f(s, s, 0);
  glTexCoord2f(0, 0), glVertex3f(-s, -s, 0);
  glTexCoord2f(1, 1), glVertex3f(s, s, 0);
  glTexCoord2f(0, 1), glVertex3f(-s, s, 0);
  glEnd();
  glEndList();
}

}  // namespace

void SetUpView(int width, int height) {
  glViewport(0, 0, width, height);
  glMatrixMode(GL_PROJECTION);
  glLoadIdentity();
  gluPerspective(kFieldOfViewDegrees, static_cast<double>(width) / height, kNearPlane, kFarPlane);
  // The eye distance lives in the projection, so each frame may reset the modelview.
  glTranslatef(0.0f, 0.0f, -kEyeDistance);
  glMatrixMode(GL_MODELVIEW);
  glLoadIdentity();
}

SDL_GLContext InitGL(SDL_Window* window, int width, int height, float spriteHalfSize) {
  SDL_GLContext context = SDL_GL_CreateContext(window);
  if (!context) return nullptr;
  SDL_GL_MakeCurrent(window, context);

  SetUpView(width, height);
  glFrontFace(GL_CCW);
  glEnable(GL_CULL_FACE);
  glClearColor(0.0f, 0.0f, 0.0f, 1.0f);
  glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);

  UploadSpriteTexture();
  CompileSpriteList(spriteHalfSize);
  return context;
}

bool CurrentDriverIsSoftware() {
  const char* renderer = reinterpret_cast<const char*>(glGetString(GL_RENDERER));
  return renderer && IsSoftwareRasterizer(renderer);
}

void PresentFrame(SDL_Window* window) { SDL_GL_SwapWindow(window); }

void ShutdownGL(SDL_Window* window, SDL_GLContext context) {
  SDL_GL_MakeCurrent(window, nullptr);
  SDL_GL_DeleteContext(context);
}

}  // namespace veyora

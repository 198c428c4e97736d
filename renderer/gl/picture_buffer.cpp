#include "renderer/gl/picture_buffer.h"

#include <GL/gl.h>
#include <GL/glext.h>

#include <cstdlib>
#include <cstring>

#include "renderer/gl/gl_setup.h"

namespace veyora {

namespace {

// Framebuffer-object entry points, from OpenGL 3.0 / ARB_framebuffer_object or, on
// older drivers, EXT_framebuffer_object (same enums).
struct FramebufferFunctions {
  PFNGLGENFRAMEBUFFERSPROC genFramebuffers = nullptr;
  PFNGLDELETEFRAMEBUFFERSPROC deleteFramebuffers = nullptr;
  PFNGLBINDFRAMEBUFFERPROC bindFramebuffer = nullptr;
  PFNGLFRAMEBUFFERTEXTURE2DPROC framebufferTexture2D = nullptr;
  PFNGLCHECKFRAMEBUFFERSTATUSPROC checkFramebufferStatus = nullptr;
};

bool HasCoreFramebuffers() {
  const char* version = reinterpret_cast<const char*>(glGetString(GL_VERSION));
  return (version && std::atoi(version) >= 3) ||
         SDL_GL_ExtensionSupported("GL_ARB_framebuffer_object");
}

template <typename Function>
void Load(Function& function, const char* name) {
  function = reinterpret_cast<Function>(SDL_GL_GetProcAddress(name));
}

// Loads the entry points once per process; all null when the driver lacks them.
const FramebufferFunctions& Framebuffers() {
  static const FramebufferFunctions functions = [] {
    FramebufferFunctions f;
    const char* suffix;
    if (HasCoreFramebuffers()) {
      suffix = "";
    } else if (SDL_GL_ExtensionSupported("GL_EXT_framebuffer_object")) {
      suffix = "EXT";
    } else {
      return f;
    }
    auto load = [suffix](auto& function, const char* base) {
      char name[64];
      std::strcpy(name, base);
      std::strcat(name, suffix);
      Load(function, name);
    };
    load(f.genFramebuffers, "glGenFramebuffers");
    load(f.deleteFramebuffers, "glDeleteFramebuffers");
    load(f.bindFramebuffer, "glBindFramebuffer");
    load(f.framebufferTexture2D, "glFramebufferTexture2D");
    load(f.checkFramebufferStatus, "glCheckFramebufferStatus");
    const bool complete = f.genFramebuffers && f.deleteFramebuffers && f.bindFramebuffer &&
                          f.framebufferTexture2D && f.checkFramebufferStatus;
    return complete ? f : FramebufferFunctions{};
  }();
  return functions;
}

// Draws the bound texture over the whole viewport, texel for pixel, and leaves the
// matrices and the blending as they were.
void DrawWholeViewport() {
  glPushAttrib(GL_ENABLE_BIT | GL_CURRENT_BIT);
  glDisable(GL_BLEND);
  glMatrixMode(GL_PROJECTION);
  glPushMatrix();
  glLoadIdentity();
  glMatrixMode(GL_MODELVIEW);
  glPushMatrix();
  glLoadIdentity();
  glColor3f(1.0f, 1.0f, 1.0f);
  glBegin(GL_TRIANGLE_STRIP);
  glTexCoord2f(0, 0), glVertex2f(-1, -1);
  glTexCoord2f(1, 0), glVertex2f(1, -1);
  glTexCoord2f(0, 1), glVertex2f(-1, 1);
  glTexCoord2f(1, 1), glVertex2f(1, 1);
  glEnd();
  glPopMatrix();
  glMatrixMode(GL_PROJECTION);
  glPopMatrix();
  glMatrixMode(GL_MODELVIEW);
  glPopAttrib();
}

}  // namespace

PictureBuffer::PictureBuffer(int width, int height, PicturePrecision precision)
    : width_(width), height_(height) {
  const FramebufferFunctions& fb = Framebuffers();
  if (!fb.genFramebuffers) return;
  // The deep format where asked for and drawable; the window's own depth otherwise.
  deep_ = precision == PicturePrecision::Deep && Attach(GL_RGBA16);
  if (!deep_ && !Attach(GL_RGB8)) return;
  glClear(GL_COLOR_BUFFER_BIT);
}

bool PictureBuffer::Attach(unsigned format) {
  const FramebufferFunctions& fb = Framebuffers();
  glGenTextures(1, &texture_);
  glBindTexture(GL_TEXTURE_2D, texture_);
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_NEAREST);
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_NEAREST);
  glTexImage2D(GL_TEXTURE_2D, 0, static_cast<GLint>(format), width_, height_, 0, GL_RGBA,
               GL_UNSIGNED_BYTE, nullptr);
  glBindTexture(GL_TEXTURE_2D, kSpriteTextureName);
  fb.genFramebuffers(1, &framebuffer_);
  fb.bindFramebuffer(GL_FRAMEBUFFER, framebuffer_);
  fb.framebufferTexture2D(GL_FRAMEBUFFER, GL_COLOR_ATTACHMENT0, GL_TEXTURE_2D, texture_, 0);
  if (fb.checkFramebufferStatus(GL_FRAMEBUFFER) == GL_FRAMEBUFFER_COMPLETE) return true;
  fb.bindFramebuffer(GL_FRAMEBUFFER, 0);
  fb.deleteFramebuffers(1, &framebuffer_);
  glDeleteTextures(1, &texture_);
  framebuffer_ = texture_ = 0;
  return false;
}

PictureBuffer::~PictureBuffer() {
  if (!framebuffer_) return;
  const FramebufferFunctions& fb = Framebuffers();
  fb.bindFramebuffer(GL_FRAMEBUFFER, 0);
  fb.deleteFramebuffers(1, &framebuffer_);
  glDeleteTextures(1, &texture_);
}

void PictureBuffer::BeginDrawing() {
  if (framebuffer_) Framebuffers().bindFramebuffer(GL_FRAMEBUFFER, framebuffer_);
}

void PictureBuffer::Present(SDL_Window* window) {
  if (framebuffer_) {
    // A textured rectangle rather than a framebuffer blit: the software rasterizer
    // allocates and frees a screen-sized buffer on every blit.
    Framebuffers().bindFramebuffer(GL_FRAMEBUFFER, 0);
    glBindTexture(GL_TEXTURE_2D, texture_);
    DrawWholeViewport();
    glBindTexture(GL_TEXTURE_2D, kSpriteTextureName);
  }
  glFlush();
  PresentFrame(window);
}

}  // namespace veyora

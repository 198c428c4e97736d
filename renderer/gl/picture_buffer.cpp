#include "renderer/gl/picture_buffer.h"

#include <GL/gl.h>
#include <GL/glext.h>

#include <cstdlib>
#include <cstring>

#include "renderer/gl/gl_setup.h"

namespace veyora {

namespace {

// Framebuffer-object entry points, from OpenGL 3.0 / ARB_framebuffer_object or, on
// older drivers, EXT_framebuffer_object with EXT_framebuffer_blit (same enums).
struct FramebufferFunctions {
  PFNGLGENFRAMEBUFFERSPROC genFramebuffers = nullptr;
  PFNGLDELETEFRAMEBUFFERSPROC deleteFramebuffers = nullptr;
  PFNGLBINDFRAMEBUFFERPROC bindFramebuffer = nullptr;
  PFNGLGENRENDERBUFFERSPROC genRenderbuffers = nullptr;
  PFNGLDELETERENDERBUFFERSPROC deleteRenderbuffers = nullptr;
  PFNGLBINDRENDERBUFFERPROC bindRenderbuffer = nullptr;
  PFNGLRENDERBUFFERSTORAGEPROC renderbufferStorage = nullptr;
  PFNGLFRAMEBUFFERRENDERBUFFERPROC framebufferRenderbuffer = nullptr;
  PFNGLCHECKFRAMEBUFFERSTATUSPROC checkFramebufferStatus = nullptr;
  PFNGLBLITFRAMEBUFFERPROC blitFramebuffer = nullptr;
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
    } else if (SDL_GL_ExtensionSupported("GL_EXT_framebuffer_object") &&
               SDL_GL_ExtensionSupported("GL_EXT_framebuffer_blit")) {
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
    load(f.genRenderbuffers, "glGenRenderbuffers");
    load(f.deleteRenderbuffers, "glDeleteRenderbuffers");
    load(f.bindRenderbuffer, "glBindRenderbuffer");
    load(f.renderbufferStorage, "glRenderbufferStorage");
    load(f.framebufferRenderbuffer, "glFramebufferRenderbuffer");
    load(f.checkFramebufferStatus, "glCheckFramebufferStatus");
    load(f.blitFramebuffer, "glBlitFramebuffer");
    const bool complete = f.genFramebuffers && f.deleteFramebuffers && f.bindFramebuffer &&
                          f.genRenderbuffers && f.deleteRenderbuffers && f.bindRenderbuffer &&
                          f.renderbufferStorage && f.framebufferRenderbuffer &&
                          f.checkFramebufferStatus && f.blitFramebuffer;
    return complete ? f : FramebufferFunctions{};
  }();
  return functions;
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
  fb.genRenderbuffers(1, &colorBuffer_);
  fb.bindRenderbuffer(GL_RENDERBUFFER, colorBuffer_);
  fb.renderbufferStorage(GL_RENDERBUFFER, format, width_, height_);
  fb.genFramebuffers(1, &framebuffer_);
  fb.bindFramebuffer(GL_FRAMEBUFFER, framebuffer_);
  fb.framebufferRenderbuffer(GL_FRAMEBUFFER, GL_COLOR_ATTACHMENT0, GL_RENDERBUFFER, colorBuffer_);
  if (fb.checkFramebufferStatus(GL_FRAMEBUFFER) == GL_FRAMEBUFFER_COMPLETE) return true;
  fb.bindFramebuffer(GL_FRAMEBUFFER, 0);
  fb.deleteFramebuffers(1, &framebuffer_);
  fb.deleteRenderbuffers(1, &colorBuffer_);
  framebuffer_ = colorBuffer_ = 0;
  return false;
}

PictureBuffer::~PictureBuffer() {
  if (!framebuffer_) return;
  const FramebufferFunctions& fb = Framebuffers();
  fb.bindFramebuffer(GL_FRAMEBUFFER, 0);
  fb.deleteFramebuffers(1, &framebuffer_);
  fb.deleteRenderbuffers(1, &colorBuffer_);
}

void PictureBuffer::BeginDrawing() {
  if (framebuffer_) Framebuffers().bindFramebuffer(GL_FRAMEBUFFER, framebuffer_);
}

void PictureBuffer::Present(SDL_Window* window) {
  if (framebuffer_) {
    const FramebufferFunctions& fb = Framebuffers();
    fb.bindFramebuffer(GL_READ_FRAMEBUFFER, framebuffer_);
    fb.bindFramebuffer(GL_DRAW_FRAMEBUFFER, 0);
    fb.blitFramebuffer(0, 0, width_, height_, 0, 0, width_, height_, GL_COLOR_BUFFER_BIT,
                       GL_NEAREST);
  }
  glFlush();
  PresentFrame(window);
}

}  // namespace veyora

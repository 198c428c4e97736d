#include "renderer/gl/picture_buffer.h"

#include <GL/gl.h>
#include <GL/glext.h>

#include <cstdlib>
#include <cstring>

#include "renderer/gl/fade_settling.h"
#include "renderer/gl/gl_setup.h"

namespace veyora {

namespace {

// Entry points beyond OpenGL 1.1: framebuffer objects, from OpenGL 3.0 /
// ARB_framebuffer_object or, on older drivers, EXT_framebuffer_object (same enums);
// the blend equation, from OpenGL 1.4 or EXT_blend_subtract.
struct DriverFunctions {
  PFNGLGENFRAMEBUFFERSPROC genFramebuffers = nullptr;
  PFNGLDELETEFRAMEBUFFERSPROC deleteFramebuffers = nullptr;
  PFNGLBINDFRAMEBUFFERPROC bindFramebuffer = nullptr;
  PFNGLFRAMEBUFFERTEXTURE2DPROC framebufferTexture2D = nullptr;
  PFNGLCHECKFRAMEBUFFERSTATUSPROC checkFramebufferStatus = nullptr;
  PFNGLBLENDEQUATIONPROC blendEquation = nullptr;
};

// The driver's version as major * 10 + minor.
int GlVersion() {
  const char* version = reinterpret_cast<const char*>(glGetString(GL_VERSION));
  if (!version) return 0;
  const int major = std::atoi(version);
  const char* dot = std::strchr(version, '.');
  return major * 10 + (dot ? std::atoi(dot + 1) : 0);
}

template <typename Function>
void Load(Function& function, const char* name) {
  function = reinterpret_cast<Function>(SDL_GL_GetProcAddress(name));
}

void LoadFramebuffers(DriverFunctions& f) {
  const char* suffix;
  if (GlVersion() >= 30 || SDL_GL_ExtensionSupported("GL_ARB_framebuffer_object")) {
    suffix = "";
  } else if (SDL_GL_ExtensionSupported("GL_EXT_framebuffer_object")) {
    suffix = "EXT";
  } else {
    return;
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
  if (!f.genFramebuffers || !f.deleteFramebuffers || !f.bindFramebuffer ||
      !f.framebufferTexture2D || !f.checkFramebufferStatus) {
    f.genFramebuffers = nullptr;
  }
}

// Loads the entry points once per process; those the driver lacks stay null
// (genFramebuffers stands for all the framebuffer ones).
const DriverFunctions& Driver() {
  static const DriverFunctions functions = [] {
    DriverFunctions f;
    LoadFramebuffers(f);
    if (GlVersion() >= 14) {
      Load(f.blendEquation, "glBlendEquation");
    } else if (SDL_GL_ExtensionSupported("GL_EXT_blend_subtract")) {
      Load(f.blendEquation, "glBlendEquationEXT");
    }
    return f;
  }();
  return functions;
}

// Whether the back buffer still holds the last frame after a swap: three frames of
// different near-black greys, each looked for in the back buffer after its swap.
// Leaves the back buffer black. The swaps wait for no refresh (the callers choose
// the swap interval afterwards): a window not shown yet would never get one.
bool BackBufferKept(SDL_Window* window) {
  SDL_GL_SetSwapInterval(0);
  bool kept = true;
  for (int level = 1; level <= 3 && kept; ++level) {
    const float grey = static_cast<float>(level) / 255.0f;
    glClearColor(grey, grey, grey, 1.0f);
    glClear(GL_COLOR_BUFFER_BIT);
    PresentFrame(window);
    GLubyte pixel[4] = {};
    glReadBuffer(GL_BACK);
    glReadPixels(0, 0, 1, 1, GL_RGBA, GL_UNSIGNED_BYTE, pixel);
    kept = pixel[0] == level;
  }
  glClearColor(0.0f, 0.0f, 0.0f, 1.0f);
  glClear(GL_COLOR_BUFFER_BIT);
  return kept;
}

// The frames a back buffer may lag behind that are worth catching up on rather
// than copying the whole picture.
constexpr std::size_t kChangesKept = 3;

// Draws the bound texture, the picture of a `width` x `height` view, over each of
// `rects`, texel for pixel, and leaves the matrices and the blending as they were.
void DrawPictureRects(int width, int height, const std::vector<PixelRect>& rects) {
  glPushAttrib(GL_ENABLE_BIT | GL_CURRENT_BIT);
  glDisable(GL_BLEND);
  glMatrixMode(GL_PROJECTION);
  glPushMatrix();
  glLoadIdentity();
  glMatrixMode(GL_MODELVIEW);
  glPushMatrix();
  glLoadIdentity();
  glColor3f(1.0f, 1.0f, 1.0f);
  const float w = static_cast<float>(width), h = static_cast<float>(height);
  glBegin(GL_QUADS);
  for (const PixelRect& r : rects) {
    const float s0 = static_cast<float>(r.x) / w, s1 = static_cast<float>(r.x + r.width) / w;
    const float t0 = static_cast<float>(r.y) / h, t1 = static_cast<float>(r.y + r.height) / h;
    glTexCoord2f(s0, t0), glVertex2f(2 * s0 - 1, 2 * t0 - 1);
    glTexCoord2f(s1, t0), glVertex2f(2 * s1 - 1, 2 * t0 - 1);
    glTexCoord2f(s1, t1), glVertex2f(2 * s1 - 1, 2 * t1 - 1);
    glTexCoord2f(s0, t1), glVertex2f(2 * s0 - 1, 2 * t1 - 1);
  }
  glEnd();
  glPopMatrix();
  glMatrixMode(GL_PROJECTION);
  glPopMatrix();
  glMatrixMode(GL_MODELVIEW);
  glPopAttrib();
}

}  // namespace

void DrawFade(const FadeExtents& extents, float alpha, bool stepDown,
              const std::vector<PixelRect>* within) {
  // Black needs no texture; a rectangle without it costs the rasterizer less.
  glDisable(GL_TEXTURE_2D);
  glEnable(GL_BLEND);
  glDisable(GL_DEPTH_TEST);
  if (stepDown) {
    // destination × (1 − alpha) − one level
    constexpr float kOneLevel = 1.0f / 255.0f;
    Driver().blendEquation(GL_FUNC_REVERSE_SUBTRACT);
    glBlendFunc(GL_ONE, GL_ONE_MINUS_SRC_ALPHA);
    glColor4f(kOneLevel, kOneLevel, kOneLevel, alpha);
  } else {
    // destination × (1 − alpha): black over the picture with its alpha, without
    // the black term, which adds nothing and costs the software rasterizer a
    // fifth of the pass.
    glBlendFunc(GL_ZERO, GL_ONE_MINUS_SRC_ALPHA);
    glColor4f(0.0f, 0.0f, 0.0f, alpha);
  }
  const float w = extents.halfWidth, h = extents.halfHeight;
  auto rectangle = [&] {
    glBegin(GL_TRIANGLE_STRIP);
    glVertex3f(-w, -h, 0.0f);
    glVertex3f(w, -h, 0.0f);
    glVertex3f(-w, h, 0.0f);
    glVertex3f(w, h, 0.0f);
    glEnd();
  };
  if (within) {
    // The same rectangle, cut to each part: every pixel inside is darkened exactly
    // as by the whole rectangle.
    glEnable(GL_SCISSOR_TEST);
    for (const PixelRect& r : *within) {
      glScissor(r.x, r.y, r.width, r.height);
      rectangle();
    }
    glDisable(GL_SCISSOR_TEST);
  } else {
    rectangle();
  }
  if (stepDown) Driver().blendEquation(GL_FUNC_ADD);
  glEnable(GL_TEXTURE_2D);
}

PictureBuffer::PictureBuffer(SDL_Window* window, int width, int height,
                             std::optional<PictureKeeping> wanted)
    : window_(window), width_(width), height_(height) {
  const DriverFunctions& driver = Driver();
  softwareRasterizer_ = CurrentDriverIsSoftware();
  if (!wanted) {
    DriverTraits traits;
    traits.softwareRasterizer = softwareRasterizer_;
    traits.framebufferObjects = driver.genFramebuffers != nullptr;
    traits.blendSubtract = driver.blendEquation != nullptr;
    // Only a software rasterizer that can step its fade would keep the back buffer.
    traits.backBufferKept =
        traits.softwareRasterizer && traits.blendSubtract && BackBufferKept(window_);
    wanted = ChoosePictureKeeping(traits);
  }
  keeping_ = *wanted;
  if (!driver.genFramebuffers) keeping_ = PictureKeeping::BackBuffer;
  if (keeping_ == PictureKeeping::DeepBuffer && !Attach(GL_RGBA16)) {
    keeping_ = PictureKeeping::StandardBuffer;
  }
  if (keeping_ == PictureKeeping::StandardBuffer && !Attach(GL_RGB8)) {
    keeping_ = PictureKeeping::BackBuffer;
  }
  stepsDown_ = keeping_ != PictureKeeping::DeepBuffer && driver.blendEquation != nullptr;
  glClear(GL_COLOR_BUFFER_BIT);
}

bool PictureBuffer::Attach(unsigned format) {
  const DriverFunctions& fb = Driver();
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
  const DriverFunctions& fb = Driver();
  fb.bindFramebuffer(GL_FRAMEBUFFER, 0);
  fb.deleteFramebuffers(1, &framebuffer_);
  glDeleteTextures(1, &texture_);
}

void PictureBuffer::BeginDrawing() {
  if (framebuffer_) Driver().bindFramebuffer(GL_FRAMEBUFFER, framebuffer_);
}

void PictureBuffer::Fade(const FadeExtents& extents, float alpha) {
  if (!region_) {
    FadeArithmetic arithmetic;
    arithmetic.bits = keeping_ == PictureKeeping::DeepBuffer ? 16 : 8;
    arithmetic.alpha = alpha;
    arithmetic.stepDownEvery = stepsDown_ ? kFadeStepFrames : 0;
    arithmetic.roundsToNearest = softwareRasterizer_;
    region_.emplace(width_, height_, FadesUntilSettled(arithmetic));
  }
  region_->StartFrame();
  const bool stepDown = stepsDown_ && FadeStepsDown(fades_++);
  if (!region_->FadeRects().empty()) DrawFade(extents, alpha, stepDown, &region_->FadeRects());
}

void PictureBuffer::NoteSprite(float x, float y, float z, float halfSize) {
  if (region_) region_->MarkDrawn(SpriteFootprint(width_, height_, x, y, z, halfSize));
}

std::vector<PixelRect> PictureBuffer::MissingFromBackBuffer(
    int age, const std::vector<PixelRect>& changed) const {
  if (age < 1 || static_cast<std::size_t>(age - 1) > shownChanges_.size()) {
    return {{0, 0, width_, height_}};
  }
  std::vector<PixelRect> missing = changed;
  for (int i = 0; i < age - 1; ++i) {
    missing.insert(missing.end(), shownChanges_[i].begin(), shownChanges_[i].end());
  }
  return missing;
}

void PictureBuffer::Present(FramePresenter& presenter) {
  std::vector<PixelRect> changed =
      region_ ? region_->ChangedBands() : std::vector<PixelRect>{{0, 0, width_, height_}};
  if (framebuffer_) {
    // Textured rectangles rather than a framebuffer blit: the software rasterizer
    // allocates and frees a screen-sized buffer on every blit.
    Driver().bindFramebuffer(GL_FRAMEBUFFER, 0);
    glBindTexture(GL_TEXTURE_2D, texture_);
    DrawPictureRects(width_, height_,
                     MissingFromBackBuffer(presenter.BackBufferAge(window_), changed));
    glBindTexture(GL_TEXTURE_2D, kSpriteTextureName);
  }
  glFlush();
  presenter.Present(window_, changed);
  shownChanges_.push_front(std::move(changed));
  if (shownChanges_.size() > kChangesKept) shownChanges_.pop_back();
}

void PictureBuffer::Present() { Present(swap_); }

}  // namespace veyora

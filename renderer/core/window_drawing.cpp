#include "renderer/core/window_drawing.h"

#include "renderer/gl/gl_setup.h"
#include "renderer/gl/view_geometry.h"

namespace veyora {

WindowDrawing::WindowDrawing(SDL_Window* window, std::uint32_t seed) : window_(window) {
  int width = 0, height = 0;
  SDL_GL_GetDrawableSize(window_, &width, &height);
  context_ = InitGL(window_, width, height, SpriteHalfSize(parameters_.SpriteSize));
  if (!context_) return;
  scene_.emplace(CreateScene(parameters_, seed));
  MakePicture(width, height);
}

WindowDrawing::~WindowDrawing() {
  if (!context_) return;
  SDL_GL_MakeCurrent(window_, context_);
  targets_.reset();
  picture_.reset();
  ShutdownGL(window_, context_);
}

void WindowDrawing::Resize(int width, int height) {
  if (!context_) return;
  SDL_GL_MakeCurrent(window_, context_);
  // The way the picture is kept depends on the driver, not on the size: it is
  // chosen once, and the swaps that choosing takes stay out of the run.
  const PictureKeeping keeping = picture_->Keeping();
  targets_.reset();
  picture_.reset();
  SetUpView(width, height);
  MakePicture(width, height, keeping);
}

void WindowDrawing::DrawFrame(SpriteSink& sink) {
  if (!context_) return;
  SDL_GL_MakeCurrent(window_, context_);
  veyora::DrawFrame(*scene_, sink, *targets_);
}

void WindowDrawing::Present() {
  if (!context_) return;
  SDL_GL_MakeCurrent(window_, context_);
  picture_->Present(*presenter_);
}

void WindowDrawing::MakePicture(int width, int height, std::optional<PictureKeeping> keeping) {
  picture_.emplace(window_, width, height, keeping);
  targets_.emplace(FrameTargets{*picture_, FadeRectangle(static_cast<double>(width) / height),
                                FadeAlpha(parameters_.FadeStrength)});
}

}  // namespace veyora

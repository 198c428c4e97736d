#pragma once

#include <SDL.h>

#include <cstdint>
#include <memory>
#include <optional>
#include <utility>

#include "renderer/gl/frame_presenter.h"
#include "renderer/gl/picture_buffer.h"
#include "renderer/gl/render_frame.h"
#include "renderer/scene/glow_scene.h"
#include "renderer/scene/sprite_sink.h"

namespace veyora {

// The glow scene drawn into one SDL window: the window's OpenGL context, the
// persistent picture of the window's size, the scene, and what each frame is drawn
// with (a projection and a fade rectangle for the window's aspect).
class WindowDrawing {
 public:
  // Gives the window its context, left current, and builds the rest. Without a
  // context there is nothing to draw with: HasContext() is false and DrawFrame does
  // nothing.
  WindowDrawing(SDL_Window* window, std::uint32_t seed);
  ~WindowDrawing();
  WindowDrawing(const WindowDrawing&) = delete;
  WindowDrawing& operator=(const WindowDrawing&) = delete;

  bool HasContext() const { return context_ != nullptr; }

  // The window now has this size: the viewport, the projection, the fade rectangle
  // and the picture are made again for it (the picture starts black); the scene goes
  // on where it was.
  void Resize(int width, int height);

  // The window's frames are shown by `presenter` from now on, instead of a swap
  // of the whole window.
  void UsePresenter(std::unique_ptr<FramePresenter> presenter) {
    presenter_ = std::move(presenter);
  }

  // Makes the context current and draws one frame, advancing the scene by one
  // step; Present shows it. Several windows' frames can be drawn before any is
  // shown, so the driver draws them all at once.
  void DrawFrame(SpriteSink& sink);
  void Present();

 private:
  // The picture and the frame targets for a window of this size, the picture kept
  // as `keeping` says or, without it, as chosen for the driver.
  void MakePicture(int width, int height, std::optional<PictureKeeping> keeping = std::nullopt);

  SDL_Window* window_;
  SDL_GLContext context_ = nullptr;
  const SceneParameters parameters_;
  std::optional<GlowScene> scene_;
  std::optional<PictureBuffer> picture_;
  std::optional<FrameTargets> targets_;
  std::unique_ptr<FramePresenter> presenter_ = std::make_unique<SwapPresenter>();
};

}  // namespace veyora

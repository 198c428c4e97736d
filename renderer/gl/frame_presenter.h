#pragma once

#include <SDL.h>

#include <vector>

#include "renderer/gl/pixel_rect.h"

namespace veyora {

// Shows a window's finished back buffer. A windowing platform may show only the
// parts that changed, and may say what the back buffer holds afterwards.
class FramePresenter {
 public:
  virtual ~FramePresenter() = default;
  // How many frames ago the picture the back buffer holds now was shown (1: the
  // last frame), as EGL_EXT_buffer_age counts it; 0 when that is not known.
  virtual int BackBufferAge(SDL_Window* window) = 0;
  // Shows the back buffer, of which only `changed` differs from the frame shown
  // last.
  virtual void Present(SDL_Window* window, const std::vector<PixelRect>& changed) = 0;
};

// Swaps the buffers through SDL, the whole window each time.
class SwapPresenter final : public FramePresenter {
 public:
  int BackBufferAge(SDL_Window* /*window*/) override { return 0; }
  void Present(SDL_Window* window, const std::vector<PixelRect>& changed) override;
};

}  // namespace veyora

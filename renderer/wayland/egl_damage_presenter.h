#pragma once

#include <SDL.h>

#include <memory>
#include <vector>

#include "renderer/gl/frame_presenter.h"
#include "renderer/gl/pixel_rect.h"

namespace veyora {

// Shows a frame with what EGL offers on the compositor's surface beyond a plain
// swap: the parts that changed told to the compositor with the swap
// (EGL_KHR_swap_buffers_with_damage or EGL_EXT_swap_buffers_with_damage), and the
// age of the back buffer that the swap hands back (EGL_EXT_buffer_age), so that a
// picture kept elsewhere is copied to it only where it lags behind.
class EglDamagePresenter final : public FramePresenter {
 public:
  // The presenter for the surface of the current context; null when its EGL offers
  // neither.
  static std::unique_ptr<EglDamagePresenter> ForCurrentContext();

  int BackBufferAge(SDL_Window* window) override;
  void Present(SDL_Window* window, const std::vector<PixelRect>& changed) override;

 private:
  using SwapWithDamage = unsigned (*)(void* display, void* surface, const int* rects, int count);
  EglDamagePresenter(SwapWithDamage swap, bool ageKnown) : swap_(swap), ageKnown_(ageKnown) {}

  SwapWithDamage swap_;
  bool ageKnown_;
  std::vector<int> rects_;
};

}  // namespace veyora

#pragma once

#include <SDL.h>

#include <memory>
#include <vector>

#include "renderer/gl/frame_presenter.h"
#include "renderer/gl/pixel_rect.h"

namespace veyora {

// Shows only the changed parts of the back buffer, with GLX_MESA_copy_sub_buffer,
// which copies them to the window and leaves the back buffer as it is: the picture
// a frame leaves there is the next frame's start. The buffers are never swapped, so
// nothing waits for the display (the software rasterizer, for which it is meant,
// has no such wait anyway).
class GlxSubBufferPresenter final : public FramePresenter {
 public:
  // The presenter for the window of the current context; null when its GLX lacks
  // the extension.
  static std::unique_ptr<GlxSubBufferPresenter> ForCurrentContext();

  // The next frame is shown whole: the window's contents were lost or never shown.
  void ShowWholeNext() { wholeNext_ = true; }

  int BackBufferAge(SDL_Window* /*window*/) override { return 1; }
  void Present(SDL_Window* window, const std::vector<PixelRect>& changed) override;

 private:
  using CopySubBuffer = void (*)(void* display, unsigned long drawable, int x, int y, int width,
                                 int height);
  explicit GlxSubBufferPresenter(CopySubBuffer copy) : copy_(copy) {}

  CopySubBuffer copy_;
  bool wholeNext_ = true;
};

}  // namespace veyora

#include "renderer/gl/frame_presenter.h"

#include "renderer/gl/gl_setup.h"

namespace veyora {

void SwapPresenter::Present(SDL_Window* window, const std::vector<PixelRect>& /*changed*/) {
  PresentFrame(window);
}

}  // namespace veyora

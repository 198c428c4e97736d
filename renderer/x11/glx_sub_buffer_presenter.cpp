#include "renderer/x11/glx_sub_buffer_presenter.h"

#include <GL/glx.h>

#include "renderer/gl/extension_list.h"

namespace veyora {

std::unique_ptr<GlxSubBufferPresenter> GlxSubBufferPresenter::ForCurrentContext() {
  Display* display = glXGetCurrentDisplay();
  if (!display) return nullptr;
  const char* extensions = glXQueryExtensionsString(display, DefaultScreen(display));
  if (!extensions || !ListsExtension(extensions, "GLX_MESA_copy_sub_buffer")) return nullptr;
  const auto copy = reinterpret_cast<CopySubBuffer>(
      glXGetProcAddressARB(reinterpret_cast<const GLubyte*>("glXCopySubBufferMESA")));
  if (!copy) return nullptr;
  return std::unique_ptr<GlxSubBufferPresenter>(new GlxSubBufferPresenter(copy));
}

void GlxSubBufferPresenter::Present(SDL_Window* window, const std::vector<PixelRect>& changed) {
  Display* display = glXGetCurrentDisplay();
  const GLXDrawable drawable = glXGetCurrentDrawable();
  if (!display || !drawable) return;
  if (wholeNext_) {
    int width = 0, height = 0;
    SDL_GL_GetDrawableSize(window, &width, &height);
    copy_(display, drawable, 0, 0, width, height);
    wholeNext_ = false;
    return;
  }
  for (const PixelRect& r : changed) copy_(display, drawable, r.x, r.y, r.width, r.height);
}

}  // namespace veyora

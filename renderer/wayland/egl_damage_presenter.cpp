#include "renderer/wayland/egl_damage_presenter.h"

#include <EGL/egl.h>
#include <EGL/eglext.h>

#include "renderer/gl/extension_list.h"

namespace veyora {

std::unique_ptr<EglDamagePresenter> EglDamagePresenter::ForCurrentContext() {
  EGLDisplay display = eglGetCurrentDisplay();
  if (display == EGL_NO_DISPLAY) return nullptr;
  const char* extensions = eglQueryString(display, EGL_EXTENSIONS);
  if (!extensions) return nullptr;
  SwapWithDamage swap = nullptr;
  if (ListsExtension(extensions, "EGL_KHR_swap_buffers_with_damage")) {
    swap = reinterpret_cast<SwapWithDamage>(eglGetProcAddress("eglSwapBuffersWithDamageKHR"));
  } else if (ListsExtension(extensions, "EGL_EXT_swap_buffers_with_damage")) {
    swap = reinterpret_cast<SwapWithDamage>(eglGetProcAddress("eglSwapBuffersWithDamageEXT"));
  }
  const bool ageKnown = ListsExtension(extensions, "EGL_EXT_buffer_age");
  if (!swap && !ageKnown) return nullptr;
  return std::unique_ptr<EglDamagePresenter>(new EglDamagePresenter(swap, ageKnown));
}

int EglDamagePresenter::BackBufferAge(SDL_Window* /*window*/) {
  if (!ageKnown_) return 0;
  EGLint age = 0;
  if (!eglQuerySurface(eglGetCurrentDisplay(), eglGetCurrentSurface(EGL_DRAW), EGL_BUFFER_AGE_EXT,
                       &age)) {
    return 0;
  }
  return age;
}

void EglDamagePresenter::Present(SDL_Window* window, const std::vector<PixelRect>& changed) {
  if (!swap_) {
    SDL_GL_SwapWindow(window);
    return;
  }
  // EGL's rectangles are counted from the surface's bottom left, as ours are.
  rects_.clear();
  for (const PixelRect& r : changed) rects_.insert(rects_.end(), {r.x, r.y, r.width, r.height});
  swap_(eglGetCurrentDisplay(), eglGetCurrentSurface(EGL_DRAW), rects_.data(),
        static_cast<int>(changed.size()));
}

}  // namespace veyora

// Mesa's software GLX driver asks for the size of the window it draws into with
// XGetGeometry and uses the answer even when the request failed. A host that
// destroys its window while the renderer draws into it (ending a hosted run) thus
// hands the driver a size left over on the stack, and its rasterizer threads write
// out of bounds. This definition is exported from the renderer program, so it is
// found before libX11's: it asks libX11 and, when the window is gone, answers a
// 0 x 0 window, into which the driver draws nothing.
#include <X11/Xlib.h>
#include <dlfcn.h>

extern "C" Status XGetGeometry(Display* display, Drawable drawable, Window* root, int* x, int* y,
                               unsigned int* width, unsigned int* height, unsigned int* borderWidth,
                               unsigned int* depth) {
  using Query = Status (*)(Display*, Drawable, Window*, int*, int*, unsigned int*, unsigned int*,
                           unsigned int*, unsigned int*);
  static const Query libX11 = reinterpret_cast<Query>(dlsym(RTLD_NEXT, "XGetGeometry"));
  const Status found = libX11(display, drawable, root, x, y, width, height, borderWidth, depth);
  if (!found) {
    *root = 0;
    *x = *y = 0;
    *width = *height = *borderWidth = *depth = 0;
  }
  return found;
}

#include "renderer/x11/glx_pixel_formats.h"

#include <GL/glx.h>
#include <SDL.h>

#include <optional>
#include <string>
#include <vector>

#include "renderer/gl/pixel_format.h"
#include "renderer/gl/surface_request.h"

namespace veyora {

namespace {

// One framebuffer configuration as the scoring sees it, with the sizes SDL needs.
struct OfferedConfig {
  PixelFormat format;
  SurfaceSizes sizes;
  VisualID visual = 0;
};

int Attribute(Display* display, GLXFBConfig config, int attribute) {
  int value = 0;
  glXGetFBConfigAttrib(display, config, attribute, &value);
  return value;
}

// The configurations a window can use, in the server's order. Multisampled ones
// and ones on 32-bit (translucent) visuals are left out: the first would only
// slow the frame down, the second would let a compositor show the desktop through.
std::vector<OfferedConfig> OfferedConfigs(Display* display, int screen) {
  std::vector<OfferedConfig> offered;
  int count = 0;
  GLXFBConfig* configs = glXGetFBConfigs(display, screen, &count);
  if (!configs) return offered;
  for (int i = 0; i < count; ++i) {
    GLXFBConfig config = configs[i];
    XVisualInfo* visual = glXGetVisualFromFBConfig(display, config);
    if (!visual) continue;
    const int visualDepth = visual->depth;
    const VisualID visualId = visual->visualid;
    XFree(visual);
    if (visualDepth > 24 || Attribute(display, config, GLX_SAMPLE_BUFFERS) > 0) continue;

    OfferedConfig entry;
    entry.visual = visualId;
    entry.sizes.red = Attribute(display, config, GLX_RED_SIZE);
    entry.sizes.green = Attribute(display, config, GLX_GREEN_SIZE);
    entry.sizes.blue = Attribute(display, config, GLX_BLUE_SIZE);
    entry.sizes.alpha = Attribute(display, config, GLX_ALPHA_SIZE);
    PixelFormat& f = entry.format;
    f.supportsOpenGL = true;
    f.drawsToWindow = (Attribute(display, config, GLX_DRAWABLE_TYPE) & GLX_WINDOW_BIT) != 0;
    f.doubleBuffered = Attribute(display, config, GLX_DOUBLEBUFFER) != 0;
    f.rgba = (Attribute(display, config, GLX_RENDER_TYPE) & GLX_RGBA_BIT) != 0;
    f.colourBits = Attribute(display, config, GLX_BUFFER_SIZE);
    f.depthBits = Attribute(display, config, GLX_DEPTH_SIZE);
    entry.sizes.depth = f.depthBits;
    // GLX marks software fallbacks as slow; nothing tells a generic but accelerated
    // configuration apart, so that kind is never reported.
    f.generic = Attribute(display, config, GLX_CONFIG_CAVEAT) == GLX_SLOW_CONFIG;
    f.genericAccelerated = false;
    offered.push_back(entry);
  }
  XFree(configs);
  return offered;
}

// The best-scoring configuration the server offers on the screen, if any can serve.
std::optional<OfferedConfig> BestOfferedConfig(Display* display, int screen) {
  int errorBase = 0, eventBase = 0;
  if (!display || !glXQueryExtension(display, &errorBase, &eventBase)) return std::nullopt;
  const std::vector<OfferedConfig> offered = OfferedConfigs(display, screen);
  std::vector<PixelFormat> formats;
  formats.reserve(offered.size());
  for (const OfferedConfig& entry : offered) formats.push_back(entry.format);
  const int chosen = ChoosePixelFormat(formats);
  if (chosen == 0) return std::nullopt;
  return offered[chosen - 1];
}

}  // namespace

void RequestEquivalentPixelFormat() {
  SDL_ResetHint(SDL_HINT_VIDEO_X11_WINDOW_VISUALID);
  RequestEquivalentSurface();
}

bool RequestPixelFormat(Display* display) {
  const std::optional<OfferedConfig> best =
      display ? BestOfferedConfig(display, DefaultScreen(display)) : std::nullopt;
  if (!best) {
    RequestEquivalentPixelFormat();
    return false;
  }
  RequestSurface(best->sizes);
  if (!best->format.generic) SDL_GL_SetAttribute(SDL_GL_ACCELERATED_VISUAL, 1);
  SDL_SetHint(SDL_HINT_VIDEO_X11_WINDOW_VISUALID, std::to_string(best->visual).c_str());
  return true;
}

XVisualInfo* ChooseWindowVisual(Display* display, int screen) {
  if (const std::optional<OfferedConfig> best = BestOfferedConfig(display, screen)) {
    XVisualInfo wanted{};
    wanted.screen = screen;
    wanted.visualid = best->visual;
    int count = 0;
    if (XVisualInfo* found =
            XGetVisualInfo(display, VisualScreenMask | VisualIDMask, &wanted, &count)) {
      return found;
    }
  }
  // The equivalent request: double-buffered RGBA, 24-bit colour, 24-bit depth.
  int equivalent[] = {
      GLX_RGBA, GLX_DOUBLEBUFFER, GLX_RED_SIZE, 8,   GLX_GREEN_SIZE, 8, GLX_BLUE_SIZE,
      8,        GLX_DEPTH_SIZE,   24,           None};
  return glXChooseVisual(display, screen, equivalent);
}

}  // namespace veyora

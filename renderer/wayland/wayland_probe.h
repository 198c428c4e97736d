#pragma once

namespace veyora {

// True when SDL's Wayland video driver starts here and reports an output. It is
// tried in a child process first, since on some compositors SDL's Wayland start
// crashes (weston 10: inside SDL_Init) and the renderer must then run on X11
// instead of going down.
bool WaylandVideoStarts();

}  // namespace veyora

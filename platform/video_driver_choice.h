#pragma once

namespace platform {

enum class VideoDriver { Wayland, X11 };

// The windowing system the renderer's full-screen run tries first, from the
// session's WAYLAND_DISPLAY and the user's SDL_VIDEODRIVER (either may be null):
// SDL_VIDEODRIVER decides when it is set and not empty (Wayland when its first entry
// is "wayland", so a user can force X11); otherwise Wayland whenever the session has
// a Wayland display. The front end reads it to know how to follow the renderer.
VideoDriver PreferredVideoDriver(const char* waylandDisplay, const char* sdlVideoDriver);

}  // namespace platform

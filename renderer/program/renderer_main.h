#pragma once

#include <span>
#include <string_view>

namespace veyora {

// The renderer program, given the arguments after its name. Without "-window-id"
// (the front end starts it with no arguments) it covers every monitor with the glow
// animation until the user's input ends it, on a Wayland desktop as a Wayland client
// where SDL's Wayland start works there and through XWayland where it does not; with "-window-id
// <id>" it draws into that window of a screen-saver host until the window goes. Returns the exit
// status: 0 when it ends normally, on SIGTERM, SIGINT or SIGHUP, when the process that started it
// dies, and when another screensaver window is already being created; 1, after one line on standard
// error, when the display, the window or the id cannot be had.
int RendererMain(std::span<const std::string_view> arguments);

}  // namespace veyora

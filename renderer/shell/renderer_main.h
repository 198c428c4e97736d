#pragma once

namespace veyora {

// The renderer program: covers the primary screen with the glow animation until the
// user's input ends it. Takes no arguments (the command line is ignored) and returns
// the exit status: 0 when it ends normally, on SIGTERM, SIGINT or SIGHUP, when the
// process that started it dies, and when another screensaver window is already
// being created; 1 when the display or the window cannot be had.
int RendererMain();

}  // namespace veyora

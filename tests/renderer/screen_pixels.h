#pragma once

#include <X11/Xlib.h>

#include <functional>
#include <vector>

#include "platform/screen_rect.h"

namespace veyora::testing {

// The pixels of a rectangle of the screen as 0xRRGGBB values, row by row; empty when
// the rectangle cannot be read.
std::vector<unsigned long> ScreenPixels(Display* display, const platform::ScreenRect& rect);

// How many of the pixels are bright (some channel at 64 or more): the glow, not
// the fading haze behind it.
int BrightPixels(const std::vector<unsigned long>& pixels);

// Waits up to `timeoutMs` for the rectangle to show the glow moving: two captures one
// after the other that differ, each with a glow of some size.
bool ShowsMovingGlow(Display* display, const platform::ScreenRect& rect, int timeoutMs);

// The same for pictures of `pixelCount` pixels that `capture` takes (of a Wayland
// output, say).
bool ShowsMovingGlow(const std::function<std::vector<unsigned long>()>& capture, int pixelCount,
                     int timeoutMs);

// Waits up to `timeoutMs` until the rectangle's picture has changed `times` times
// since the call.
bool PictureChanges(Display* display, const platform::ScreenRect& rect, int times, int timeoutMs);

// Waits up to `timeoutMs` until the rectangle's picture has stayed the same for
// `stillMs`.
bool PictureComesToRest(Display* display, const platform::ScreenRect& rect, int stillMs,
                        int timeoutMs);

}  // namespace veyora::testing

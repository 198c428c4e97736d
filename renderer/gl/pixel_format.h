#pragma once

#include <span>

namespace veyora {

// What the choice of a pixel format looks at.
struct PixelFormat {
  bool supportsOpenGL = true;
  bool drawsToWindow = true;
  bool doubleBuffered = true;
  bool rgba = true;
  int colourBits = 0;
  int depthBits = 0;
  bool generic = false;             // a software implementation
  bool genericAccelerated = false;  // software interface, accelerated underneath
};

// The format's score: colour bits plus twice the depth bits, half the colour bits
// above 16 taken off, and 2000 for a hardware format or 1000 for a generic
// accelerated one.
int PixelFormatScore(const PixelFormat& format);

// True when the format can serve the renderer at all: OpenGL in a window, double
// buffered, RGBA.
bool PixelFormatUsable(const PixelFormat& format);

// The 1-based number of the best usable format (the lower number on a tie), or 0 when
// none is usable.
int ChoosePixelFormat(std::span<const PixelFormat> formats);

}  // namespace veyora

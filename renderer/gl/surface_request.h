#pragma once

namespace veyora {

// The channel and depth sizes of a window surface.
struct SurfaceSizes {
  int red = 8, green = 8, blue = 8, alpha = 0;
  int depth = 24;
};

// Asks SDL for a double-buffered RGBA window surface of these sizes, for the windows
// created from now on.
void RequestSurface(const SurfaceSizes& sizes);

// The equivalent request that any driver can meet: a double-buffered RGBA window
// surface, 24-bit colour, 24-bit depth (SurfaceSizes as they come).
void RequestEquivalentSurface();

}  // namespace veyora

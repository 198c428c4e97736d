#include "renderer/gl/picture_keeping.h"

#include <array>

namespace veyora {

bool IsSoftwareRasterizer(std::string_view glRenderer) {
  constexpr std::array<std::string_view, 5> kSoftware = {"llvmpipe", "softpipe",
                                                         "Software Rasterizer", "swrast", "SWR"};
  for (std::string_view name : kSoftware) {
    if (glRenderer.find(name) != std::string_view::npos) return true;
  }
  return false;
}

PictureKeeping ChoosePictureKeeping(const DriverTraits& driver) {
  if (!driver.framebufferObjects) return PictureKeeping::BackBuffer;
  if (!driver.softwareRasterizer || !driver.blendSubtract) return PictureKeeping::DeepBuffer;
  return driver.backBufferKept ? PictureKeeping::BackBuffer : PictureKeeping::StandardBuffer;
}

bool FadeStepsDown(std::uint32_t frame) { return frame % kFadeStepFrames == 0; }

}  // namespace veyora

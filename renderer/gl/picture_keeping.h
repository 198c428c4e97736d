#pragma once

#include <cstdint>
#include <string_view>

namespace veyora {

// Where the picture that the fade and the sprites accumulate on is kept between
// frames, and how finely.
enum class PictureKeeping {
  // In the window's own back buffer, which the driver keeps across swaps: each frame
  // is drawn straight into it and shown by the swap alone. 8 bits per channel.
  BackBuffer,
  // In a framebuffer object at 8 bits per channel, copied to the back buffer for
  // every swap.
  StandardBuffer,
  // In a framebuffer object at 16 bits per channel, copied to the back buffer for
  // every swap. The fade then takes every pixel down to true black by itself.
  DeepBuffer,
};

// What the driver offers that the choice depends on.
struct DriverTraits {
  // The driver draws on the CPU, where every full-screen pass and every extra bit
  // per channel costs what the user feels.
  bool softwareRasterizer = false;
  bool framebufferObjects = false;
  // A subtracting blend equation, with which an 8-bit fade reaches true black.
  bool blendSubtract = false;
  // The back buffer still holds the last frame after a swap.
  bool backBufferKept = false;
};

// True for the renderer strings of drivers that rasterize on the CPU (Mesa's
// llvmpipe, softpipe and swrast, and the like).
bool IsSoftwareRasterizer(std::string_view glRenderer);

// The way to keep the picture on this driver. A hardware driver keeps the deep
// picture: the copy costs it next to nothing. A software rasterizer keeps 8 bits,
// in the back buffer itself where the driver keeps that, with the fade stepped to
// black; the deep picture only where it cannot step the fade. Without framebuffer
// objects there is only the back buffer.
PictureKeeping ChoosePictureKeeping(const DriverTraits& driver);

// An 8-bit fade rounds the last few levels of every pixel back up to where they
// were, so they never reach black. Every kFadeStepFrames-th fade also takes one
// level off every pixel: that takes those levels to black within a fraction of a
// second, and takes bright trails about as far below the exact picture as the
// rounding holds them above it.
constexpr std::uint32_t kFadeStepFrames = 5;

// True when the fade of this frame (counted from 0) takes one level off.
bool FadeStepsDown(std::uint32_t frame);

}  // namespace veyora

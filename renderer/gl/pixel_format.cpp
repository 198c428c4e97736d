#include "renderer/gl/pixel_format.h"

namespace veyora {

int PixelFormatScore(const PixelFormat& format) {
  int score = format.colourBits + 2 * format.depthBits;
  if (format.colourBits > 16) score += (16 - format.colourBits) / 2;
  if (!format.generic) {
    score += 2000;
  } else if (format.genericAccelerated) {
    score += 1000;
  }
  return score;
}

bool PixelFormatUsable(const PixelFormat& format) {
  return format.supportsOpenGL && format.drawsToWindow && format.doubleBuffered && format.rgba;
}

int ChoosePixelFormat(std::span<const PixelFormat> formats) {
  int best = 0;
  int chosen = 0;
  for (std::size_t i = 0; i < formats.size(); ++i) {
    if (!PixelFormatUsable(formats[i])) continue;
    const int score = PixelFormatScore(formats[i]);
    if (score > best) {
      best = score;
      chosen = static_cast<int>(i) + 1;
    }
  }
  return chosen;
}

}  // namespace veyora

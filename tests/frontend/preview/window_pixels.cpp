#include "tests/frontend/preview/window_pixels.h"

#include <X11/Xutil.h>

#include <cstdlib>

QImage WindowPixels(Display* display, Window window) {
  XWindowAttributes attributes{};
  if (!XGetWindowAttributes(display, window, &attributes)) return {};
  XImage* image =
      XGetImage(display, window, 0, 0, attributes.width, attributes.height, AllPlanes, ZPixmap);
  if (!image) return {};
  // The server's 24-bit TrueColor visual keeps a pixel in 32 bits, laid out as Qt's RGB32.
  const QImage pixels = image->bits_per_pixel != 32
                            ? QImage()
                            : QImage(reinterpret_cast<const uchar*>(image->data), image->width,
                                     image->height, image->bytes_per_line, QImage::Format_RGB32)
                                  .copy();
  XDestroyImage(image);
  return pixels;
}

double MeanChannelDifference(const QImage& a, const QImage& b) {
  if (a.size() != b.size() || a.isNull()) return 255.0;
  double total = 0.0;
  for (int y = 0; y < a.height(); ++y) {
    for (int x = 0; x < a.width(); ++x) {
      const QRgb p = a.pixel(x, y), q = b.pixel(x, y);
      total += std::abs(qRed(p) - qRed(q)) + std::abs(qGreen(p) - qGreen(q)) +
               std::abs(qBlue(p) - qBlue(q));
    }
  }
  return total / (3.0 * a.width() * a.height());
}

#include "tools/preview_picture/frame_picture.h"

#include <QImageWriter>

QImage PictureFromFrame(const std::vector<std::uint8_t>& rgbRows, int width, int height) {
  const QImage frame(rgbRows.data(), width, height, width * 3, QImage::Format_RGB888);
  // OpenGL hands the bottom row over first.
  return frame.mirrored(false, true)
      .scaled(kPreviewPictureWidth, kPreviewPictureHeight, Qt::IgnoreAspectRatio,
              Qt::SmoothTransformation);
}

QString SaveBaselineJpeg(const QImage& picture, const QString& path, int quality) {
  QImageWriter writer(path, "jpeg");
  writer.setQuality(quality);
  writer.setProgressiveScanWrite(false);
  if (!writer.write(picture.convertToFormat(QImage::Format_RGB32))) return writer.errorString();
  return {};
}

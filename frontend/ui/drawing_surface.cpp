#include "frontend/ui/drawing_surface.h"

#include <QPainter>
#include <QPixmap>
#include <QWidget>
#include <algorithm>
#include <cmath>

#include "frontend/ui/twips.h"

namespace veyora::frontend::ui {

DrawingSurface::DrawingSurface(QWidget* owner) : owner_(owner) {}

double DrawingSurface::ScaleWidth() const {
  const int pixels = owner_->width();
  return unit_ == ScaleUnit::Twips ? PixelsToTwips(pixels) : pixels;
}

double DrawingSurface::ScaleHeight() const {
  const int pixels = owner_->height();
  return unit_ == ScaleUnit::Twips ? PixelsToTwips(pixels) : pixels;
}

double DrawingSurface::ToPixels(double value) const {
  return unit_ == ScaleUnit::Twips ? value / kTwipsPerPixel : value;
}

QRectF DrawingSurface::ToPixels(const QRectF& rect) const {
  return {ToPixels(rect.x()), ToPixels(rect.y()), ToPixels(rect.width()), ToPixels(rect.height())};
}

void DrawingSurface::Resize() {
  const QSize size = owner_->size();
  if (image_.size() == size || size.isEmpty()) return;
  QImage resized(size, QImage::Format_RGB32);
  resized.fill(owner_->palette().color(owner_->backgroundRole()));
  if (!image_.isNull()) {
    QPainter painter(&resized);
    painter.drawImage(0, 0, image_);
  }
  image_ = std::move(resized);
}

void DrawingSurface::Clear() {
  Resize();
  image_.fill(owner_->palette().color(owner_->backgroundRole()));
  Refresh();
}

void DrawingSurface::StretchCopy(const QPixmap& picture, const QRectF& target,
                                 const QRectF& source) {
  Resize();
  if (image_.isNull() || picture.isNull()) return;
  QPainter painter(&image_);
  painter.drawPixmap(ToPixels(target), picture, ToPixels(source));
  Refresh();
}

void DrawingSurface::FillRowGradient(const QRectF& area, const QColor& top, const QColor& bottom) {
  Resize();
  if (image_.isNull()) return;
  const QRect pixels = ToPixels(area).toRect();
  const int rows = pixels.height();
  QPainter painter(&image_);
  for (int row = 0; row < rows; ++row) {
    const double t = rows > 1 ? static_cast<double>(row) / (rows - 1) : 0.0;
    const auto channel = [t](int from, int to) {
      return static_cast<int>(std::lround(from + (to - from) * t));
    };
    painter.fillRect(pixels.left(), pixels.top() + row, pixels.width(), 1,
                     QColor(channel(top.red(), bottom.red()), channel(top.green(), bottom.green()),
                            channel(top.blue(), bottom.blue())));
  }
  Refresh();
}

void DrawingSurface::FillRows(const std::vector<QColor>& rowColours) {
  Resize();
  if (image_.isNull()) return;
  QPainter painter(&image_);
  const int rows = std::min<int>(image_.height(), static_cast<int>(rowColours.size()));
  for (int row = 0; row < rows; ++row) {
    if (rowColours[row].isValid()) painter.fillRect(0, row, image_.width(), 1, rowColours[row]);
  }
  Refresh();
}

void DrawingSurface::Paint(QPainter& painter) const {
  if (!image_.isNull()) painter.drawImage(0, 0, image_);
}

void DrawingSurface::Refresh() { owner_->update(); }

}  // namespace veyora::frontend::ui

#pragma once

#include <QColor>
#include <QImage>
#include <QRectF>
#include <vector>

class QPainter;
class QPixmap;
class QWidget;

namespace veyora::frontend::ui {

// The persistent picture a window or picture box draws on: lines, clearing and
// stretched picture copies land here and stay until cleared, and the owner shows
// it beneath its child controls. Coordinates are in the surface's scale unit.
class DrawingSurface {
 public:
  enum class ScaleUnit { Twips, Pixels };

  explicit DrawingSurface(QWidget* owner);

  void SetScaleUnit(ScaleUnit unit) { unit_ = unit; }
  ScaleUnit Unit() const { return unit_; }
  // The owner's inner size in the scale unit.
  double ScaleWidth() const;
  double ScaleHeight() const;

  // Fills the whole surface with the owner's background colour.
  void Clear();
  // Copies the `source` part of `picture` stretched into `target`; both rectangles
  // are in the scale unit (for the source, measured on the picture at 15 twips per
  // pixel when the unit is twips).
  void StretchCopy(const QPixmap& picture, const QRectF& target, const QRectF& source);
  // Fills the pixel rows from `area`'s top up to its bottom (both ends as pixel
  // boundaries, the bottom row and right column excluded), each row in one
  // colour, going linearly per channel from `top` at the first row to `bottom` at
  // the last.
  void FillRowGradient(const QRectF& area, const QColor& top, const QColor& bottom);
  // Paints pixel row r across the whole surface in `rowColours`[r], all rows in one
  // pass; an invalid colour leaves its row as it is.
  void FillRows(const std::vector<QColor>& rowColours);

  // Called by the owner: keeps the content when the owner's size changes, and
  // paints it.
  void Resize();
  void Paint(QPainter& painter) const;

 private:
  double ToPixels(double value) const;
  QRectF ToPixels(const QRectF& rect) const;
  void Refresh();

  QWidget* owner_;
  ScaleUnit unit_ = ScaleUnit::Twips;
  QImage image_;
};

}  // namespace veyora::frontend::ui

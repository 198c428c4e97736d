#include "frontend/controls/command_face.h"

#include <QColor>
#include <QPixmap>
#include <QRectF>

#include "frontend/ui/drawing_surface.h"

namespace veyora::frontend::controls {
namespace {

const QColor kWhite(0xFF, 0xFF, 0xFF);
const QColor kShade(0xC6, 0xC5, 0xD7);

// The fill stops one pixel short of the right and bottom edges; the frame covers
// that column and row.
void FillGradient(ui::DrawingSurface& surface, bool hoverShade) {
  using Unit = ui::DrawingSurface::ScaleUnit;
  surface.SetScaleUnit(Unit::Pixels);
  const QRectF area(0, 0, surface.ScaleWidth() - 1, surface.ScaleHeight() - 1);
  surface.FillRowGradient(area, hoverShade ? kShade : kWhite, hoverShade ? kWhite : kShade);
  surface.SetScaleUnit(Unit::Twips);
}

}  // namespace

void DrawFace(ui::DrawingSurface& surface, const QPixmap& face, bool hoverShade) {
  const double width = surface.ScaleWidth();
  const double height = surface.ScaleHeight();
  surface.Clear();
  FillGradient(surface, hoverShade);
  if (width < 2 * kSliceSize || height < 2 * kSliceSize) return;

  const double middleWidth = width - 2 * kSliceSize;
  const double middleHeight = height - 2 * kSliceSize;
  const double right = width - kSliceSize;
  const double bottom = height - kSliceSize;
  const double faceMiddleWidth = kFaceBitmapWidth - 2 * kSliceSize;
  const double faceMiddleHeight = kFaceBitmapHeight - 2 * kSliceSize;
  const double faceRight = kFaceBitmapWidth - kSliceSize;
  const double faceBottom = kFaceBitmapHeight - kSliceSize;
  const double slice = kSliceSize;

  struct Slice {
    QRectF target, source;
  };
  const Slice slices[] = {
      {{0, 0, slice, slice}, {0, 0, slice, slice}},
      {{slice, 0, middleWidth, slice}, {slice, 0, faceMiddleWidth, slice}},
      {{right, 0, slice, slice}, {faceRight, 0, slice, slice}},
      {{right, slice, slice, middleHeight}, {faceRight, slice, slice, faceMiddleHeight}},
      {{right, bottom, slice, slice}, {faceRight, faceBottom, slice, slice}},
      {{slice, bottom, middleWidth, slice}, {slice, faceBottom, faceMiddleWidth, slice}},
      {{0, bottom, slice, slice}, {0, faceBottom, slice, slice}},
      {{0, slice, slice, middleHeight}, {0, slice, slice, faceMiddleHeight}},
  };
  for (const Slice& part : slices) surface.StretchCopy(face, part.target, part.source);
}

}  // namespace veyora::frontend::controls

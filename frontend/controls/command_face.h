#pragma once

class QPixmap;

namespace veyora::frontend {

namespace ui {
class DrawingSurface;
}

namespace controls {

// Frame slices are 60 twips (4 pixels) square at the corners; face bitmaps are
// 960 x 375 twips (64 x 25 pixels).
inline constexpr int kSliceSize = 60;
inline constexpr int kFaceBitmapWidth = 960;
inline constexpr int kFaceBitmapHeight = 375;

// Composes a whole Command button on `surface`, which must be in twips: the
// interior gradient (white at the top to the shade colour at the bottom, or the
// other way round with `hoverShade`), then the frame's eight slices cut from
// `face`, corners at their own size, edges stretched along their length. The
// middle of the face never shows. A surface narrower or lower than two slices
// gets the gradient only.
void DrawFace(ui::DrawingSurface& surface, const QPixmap& face, bool hoverShade);

}  // namespace controls

}  // namespace veyora::frontend

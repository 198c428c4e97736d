#pragma once

#include <cstdint>
#include <vector>

#include "renderer/gl/pixel_rect.h"

namespace veyora {

// The parts of one view where the picture can still change: the tiles of the view
// that a sprite drew on within the last `settleFrames` frames, after which the fade
// leaves a pixel as it is (see FadesUntilSettled). Only they are faded and shown
// again; everywhere else the picture stays as it was, to the bit.
class FadeRegion {
 public:
  // Small enough to follow a sprite's trail closely, big enough to keep the
  // rectangles few.
  static constexpr int kTileSize = 32;
  // Rows of tiles shown together: each band is shown as one rectangle.
  static constexpr int kBandTiles = 4;

  // A view of this size whose picture is black: nothing to fade yet, but all of it
  // to be shown.
  FadeRegion(int width, int height, std::uint32_t settleFrames);

  // Starts the next frame, working out what its fade darkens.
  void StartFrame();
  // The disjoint rectangles the fade darkens this frame: the tiles drawn on within
  // the last `settleFrames` frames before this one.
  const std::vector<PixelRect>& FadeRects() const { return fadeRects_; }
  // A sprite of this frame drew within `rect` (clipped to the view).
  void MarkDrawn(const PixelRect& rect);
  // The rectangles of the view that may differ from the frame before, once this
  // frame is drawn: the faded tiles and those drawn on now, each band of tile rows
  // taken as the one rectangle from its first such tile to its last. The whole view
  // on the first frame.
  std::vector<PixelRect> ChangedBands() const;
  // Share of the view that this frame's fade darkens.
  double FadedShare() const;

  int Width() const { return width_; }
  int Height() const { return height_; }

 private:
  // True when a sprite drew on the tile in the current frame or within the
  // settleFrames_ before it.
  bool Recent(std::uint32_t lastDrawn) const {
    return lastDrawn != 0 && frame_ - lastDrawn <= settleFrames_;
  }
  PixelRect TileSpan(int column0, int column1, int row0, int row1) const;

  int width_;
  int height_;
  int columns_;
  int rows_;
  std::uint32_t settleFrames_;
  // Per tile, row by row from the bottom: the frame a sprite last drew on it, 0 for
  // none. Frames count from 1.
  std::vector<std::uint32_t> lastDrawn_;
  std::uint32_t frame_ = 0;
  std::vector<PixelRect> fadeRects_;
  long fadedArea_ = 0;
};

}  // namespace veyora

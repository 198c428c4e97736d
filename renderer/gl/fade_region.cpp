#include "renderer/gl/fade_region.h"

#include <algorithm>

namespace veyora {

FadeRegion::FadeRegion(int width, int height, std::uint32_t settleFrames)
    : width_(std::max(width, 0)),
      height_(std::max(height, 0)),
      columns_((width_ + kTileSize - 1) / kTileSize),
      rows_((height_ + kTileSize - 1) / kTileSize),
      settleFrames_(settleFrames),
      lastDrawn_(static_cast<std::size_t>(columns_) * rows_, 0) {}

PixelRect FadeRegion::TileSpan(int column0, int column1, int row0, int row1) const {
  const int x0 = column0 * kTileSize, y0 = row0 * kTileSize;
  const int x1 = std::min(column1 * kTileSize, width_), y1 = std::min(row1 * kTileSize, height_);
  return {x0, y0, x1 - x0, y1 - y0};
}

void FadeRegion::StartFrame() {
  ++frame_;
  fadeRects_.clear();
  fadedArea_ = 0;
  // Runs of faded tiles along each row; a run that spans the same columns as one of
  // the row below grows that rectangle upwards instead.
  std::vector<std::size_t> openBelow, openHere;
  for (int row = 0; row < rows_; ++row) {
    openHere.clear();
    const std::uint32_t* tiles = lastDrawn_.data() + static_cast<std::size_t>(row) * columns_;
    for (int column = 0; column < columns_;) {
      if (!Recent(tiles[column])) {
        ++column;
        continue;
      }
      const int start = column;
      while (column < columns_ && Recent(tiles[column])) ++column;
      const PixelRect run = TileSpan(start, column, row, row + 1);
      fadedArea_ += run.Area();
      const auto below = std::find_if(openBelow.begin(), openBelow.end(), [&](std::size_t i) {
        return fadeRects_[i].x == run.x && fadeRects_[i].width == run.width;
      });
      if (below != openBelow.end()) {
        fadeRects_[*below].height += run.height;
        openHere.push_back(*below);
      } else {
        openHere.push_back(fadeRects_.size());
        fadeRects_.push_back(run);
      }
    }
    openBelow.swap(openHere);
  }
}

void FadeRegion::MarkDrawn(const PixelRect& rect) {
  const int x0 = std::max(rect.x, 0), y0 = std::max(rect.y, 0);
  const int x1 = std::min(rect.x + rect.width, width_),
            y1 = std::min(rect.y + rect.height, height_);
  if (x0 >= x1 || y0 >= y1) return;
  for (int row = y0 / kTileSize; row <= (y1 - 1) / kTileSize; ++row) {
    std::uint32_t* tiles = lastDrawn_.data() + static_cast<std::size_t>(row) * columns_;
    std::fill(tiles + x0 / kTileSize, tiles + (x1 - 1) / kTileSize + 1, frame_);
  }
}

std::vector<PixelRect> FadeRegion::ChangedBands() const {
  if (frame_ <= 1) return {{0, 0, width_, height_}};
  std::vector<PixelRect> bands;
  for (int band = 0; band < rows_; band += kBandTiles) {
    const int bandEnd = std::min(band + kBandTiles, rows_);
    int first = columns_, last = -1;
    for (int row = band; row < bandEnd; ++row) {
      const std::uint32_t* tiles = lastDrawn_.data() + static_cast<std::size_t>(row) * columns_;
      for (int column = 0; column < columns_; ++column) {
        if (!Recent(tiles[column])) continue;
        first = std::min(first, column);
        last = std::max(last, column);
      }
    }
    if (last < 0) continue;
    const PixelRect rect = TileSpan(first, last + 1, band, bandEnd);
    if (!bands.empty() && bands.back().x == rect.x && bands.back().width == rect.width &&
        bands.back().y + bands.back().height == rect.y) {
      bands.back().height += rect.height;
    } else {
      bands.push_back(rect);
    }
  }
  return bands;
}

double FadeRegion::FadedShare() const {
  const long area = static_cast<long>(width_) * height_;
  return area ? static_cast<double>(fadedArea_) / area : 0.0;
}

}  // namespace veyora

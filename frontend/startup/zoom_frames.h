#pragma once

#include <vector>

// A rectangle on the screen in pixels (right and bottom exclusive).
struct ZoomRect {
  int left = 0;
  int top = 0;
  int right = 0;
  int bottom = 0;
  bool operator==(const ZoomRect&) const = default;
};

// The outlines a zoom shows, one per frame, moving evenly from `from` to `to`:
// `frames` rectangles, the last one equal to `to`. None for fewer than 1 frame.
std::vector<ZoomRect> ZoomFrames(const ZoomRect& from, const ZoomRect& to, int frames);

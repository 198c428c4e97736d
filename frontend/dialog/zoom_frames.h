#pragma once

#include <vector>

#include "platform/screen_rect.h"

namespace veyora::frontend {

// The outlines a zoom shows, one per frame, moving evenly from `from` to `to`:
// `frames` rectangles, the last one equal to `to`. None for fewer than 1 frame.
std::vector<platform::ScreenRect> ZoomFrames(const platform::ScreenRect& from,
                                             const platform::ScreenRect& to, int frames);

}  // namespace veyora::frontend

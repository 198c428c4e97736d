#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "platform/screen_rect.h"

namespace veyora {

// A monitor as the window system reports it, in root (or compositor layout)
// coordinates.
struct Monitor {
  platform::ScreenRect rect;
  bool primary = false;
  // The window system's name of it (an X atom's name, an output's name); empty when
  // it has none.
  std::string name = {};
};

// One window of the renderer and the glow scene it shows.
struct ViewPlacement {
  platform::ScreenRect rect;
  // The primary monitor's window: the one titled for the front end to find.
  bool primary = false;
  // The rectangle is exactly one of SDL's displays, so the window can be SDL's
  // full-screen window there; otherwise it is a borderless window of that size.
  bool fullscreen = false;
  // Added to the scene's seed, so that every monitor shows a glow of its own.
  std::uint32_t seedOffset = 0;
  // The monitor's name, by which it is known again when its size changes.
  std::string name = {};
  bool operator==(const ViewPlacement&) const = default;
};

// One window per monitor, each covering its monitor and showing a scene centred
// on it. The primary monitor comes first with seed offset 0; the others follow in
// the server's order. Monitors without area, and monitors that repeat an earlier
// one's rectangle (mirrored outputs), get no window. When the server reports no
// monitors, SDL's displays stand for them, the first as primary.
std::vector<ViewPlacement> LayOutViews(std::span<const Monitor> monitors,
                                       std::span<const platform::ScreenRect> displays);

// True when a window shown at `shown` (root coordinates) covers exactly one of the
// monitors that got a window, as a full-screen window does.
bool CoversAMonitor(const platform::ScreenRect& shown, std::span<const ViewPlacement> views);

}  // namespace veyora

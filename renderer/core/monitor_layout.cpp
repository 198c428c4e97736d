#include "renderer/core/monitor_layout.h"

#include <algorithm>

namespace veyora {

namespace {

// The monitors that get a window: those with area, each rectangle once.
std::vector<Monitor> DistinctMonitors(std::span<const Monitor> monitors) {
  std::vector<Monitor> kept;
  for (const Monitor& m : monitors) {
    if (m.rect.Width() <= 0 || m.rect.Height() <= 0) continue;
    auto same =
        std::find_if(kept.begin(), kept.end(), [&](const Monitor& k) { return k.rect == m.rect; });
    if (same == kept.end()) {
      kept.push_back(m);
    } else {
      same->primary = same->primary || m.primary;
    }
  }
  return kept;
}

}  // namespace

std::vector<ViewPlacement> LayOutViews(std::span<const Monitor> monitors,
                                       std::span<const platform::ScreenRect> displays) {
  std::vector<Monitor> kept = DistinctMonitors(monitors);
  if (kept.empty()) {
    std::vector<Monitor> standIns;
    for (const platform::ScreenRect& d : displays) standIns.push_back({d, standIns.empty(), {}});
    kept = DistinctMonitors(standIns);
  }
  if (kept.empty()) return {};
  auto primary = std::find_if(kept.begin(), kept.end(), [](const Monitor& m) { return m.primary; });
  if (primary == kept.end()) primary = kept.begin();
  std::rotate(kept.begin(), primary, primary + 1);

  std::vector<ViewPlacement> views;
  for (const Monitor& m : kept) {
    const bool isDisplay = std::find(displays.begin(), displays.end(), m.rect) != displays.end();
    views.push_back(
        {m.rect, views.empty(), isDisplay, static_cast<std::uint32_t>(views.size()), m.name});
  }
  return views;
}

bool CoversAMonitor(const platform::ScreenRect& shown, std::span<const ViewPlacement> views) {
  return std::any_of(views.begin(), views.end(),
                     [&](const ViewPlacement& v) { return v.rect == shown; });
}

}  // namespace veyora

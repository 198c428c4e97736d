#include "renderer/core/layout_change.h"

#include <algorithm>
#include <functional>

namespace veyora {

namespace {

bool SameName(const ViewPlacement& a, const ViewPlacement& b) {
  return !a.name.empty() && a.name == b.name;
}

bool SameRect(const ViewPlacement& a, const ViewPlacement& b) { return a.rect == b.rect; }

bool SamePlace(const ViewPlacement& a, const ViewPlacement& b) {
  return a.rect == b.rect && a.primary == b.primary && a.fullscreen == b.fullscreen &&
         a.name == b.name;
}

}  // namespace

void KeepPrimary(std::vector<Monitor>& monitors, std::span<const ViewPlacement> current) {
  if (std::any_of(monitors.begin(), monitors.end(), [](const Monitor& m) { return m.primary; })) {
    return;
  }
  const auto primary = std::find_if(current.begin(), current.end(),
                                    [](const ViewPlacement& v) { return v.primary; });
  if (primary == current.end()) return;
  auto same = std::find_if(monitors.begin(), monitors.end(), [&](const Monitor& m) {
    return !m.name.empty() && m.name == primary->name;
  });
  if (same == monitors.end()) {
    same = std::find_if(monitors.begin(), monitors.end(),
                        [&](const Monitor& m) { return m.rect == primary->rect; });
  }
  if (same != monitors.end()) same->primary = true;
}

LayoutChange CompareLayouts(std::span<const ViewPlacement> current,
                            std::span<const ViewPlacement> wanted) {
  constexpr std::size_t kUnmatched = static_cast<std::size_t>(-1);
  std::vector<std::size_t> matchOf(current.size(), kUnmatched);
  std::vector<bool> taken(wanted.size(), false);
  using Rule = std::function<bool(const ViewPlacement&, const ViewPlacement&)>;
  const Rule rules[] = {[](const ViewPlacement& a, const ViewPlacement& b) {
                          return SameName(a, b) && SameRect(a, b);
                        },
                        SameName, SameRect};
  for (const Rule& rule : rules) {
    for (std::size_t c = 0; c < current.size(); ++c) {
      for (std::size_t w = 0; matchOf[c] == kUnmatched && w < wanted.size(); ++w) {
        if (taken[w] || !rule(current[c], wanted[w])) continue;
        matchOf[c] = w;
        taken[w] = true;
      }
    }
  }
  LayoutChange change;
  for (std::size_t c = 0; c < current.size(); ++c) {
    if (matchOf[c] == kUnmatched) {
      change.close.push_back(c);
    } else if (!SamePlace(current[c], wanted[matchOf[c]])) {
      change.relayout.emplace_back(c, matchOf[c]);
    }
  }
  for (std::size_t w = 0; w < wanted.size(); ++w) {
    if (!taken[w]) change.open.push_back(w);
  }
  return change;
}

}  // namespace veyora

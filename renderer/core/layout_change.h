#pragma once

#include <cstddef>
#include <span>
#include <utility>
#include <vector>

#include "renderer/core/monitor_layout.h"

namespace veyora {

// What turns the views laid out for one list of monitors into the views of another,
// as the monitors change during a run. A view stays with its monitor when the
// monitor is known again: by its name and rectangle, else by its name alone (its
// size, position or scale changed), else by its rectangle alone (a window system that
// names monitors after their model, several alike).
struct LayoutChange {
  // Indices into the current placements: views whose monitor is gone.
  std::vector<std::size_t> close;
  // Views kept whose placement differs now (its rectangle, its being primary or full
  // screen, or the name it goes by): an index into the current placements and one
  // into the new.
  std::vector<std::pair<std::size_t, std::size_t>> relayout;
  // Indices into the new placements: monitors that get a view of their own.
  std::vector<std::size_t> open;

  bool Empty() const { return close.empty() && relayout.empty() && open.empty(); }
};

// Where the window system flags none of the monitors as primary, the one the
// `current` primary view covers stays primary (by its name, else its rectangle), so
// that the view that is primary stays so while its monitor does.
void KeepPrimary(std::vector<Monitor>& monitors, std::span<const ViewPlacement> current);

// The change from the `current` placements to the `wanted` ones. Seed offsets are
// not compared: a kept view keeps its scene.
LayoutChange CompareLayouts(std::span<const ViewPlacement> current,
                            std::span<const ViewPlacement> wanted);

}  // namespace veyora

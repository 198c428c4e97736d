#include "renderer/core/layout_change.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace veyora {
namespace {

using platform::ScreenRect;

constexpr ScreenRect kA{0, 0, 640, 720}, kB{640, 0, 1280, 720}, kWideB{640, 0, 1664, 768};

ViewPlacement Place(ScreenRect rect, std::string name, bool primary = false) {
  return {rect, primary, false, 0, std::move(name)};
}

TEST(CompareLayoutsTest, OpensClosesAndLaysOutAgainWhatChanged) {
  struct Case {
    const char* what;
    std::vector<ViewPlacement> current, wanted;
    LayoutChange change;
  };
  const std::vector<Case> cases{
      {"unchanged, seeds aside",
       {Place(kA, "L", true), Place(kB, "R")},
       {Place(kA, "L", true), {kB, false, false, 7, "R"}},
       {}},
      {"a monitor added",
       {Place(kA, "L", true)},
       {Place(kA, "L", true), Place(kB, "R")},
       {{}, {}, {1}}},
      {"a monitor removed",
       {Place(kA, "L", true), Place(kB, "R")},
       {Place(kA, "L", true)},
       {{1}, {}, {}}},
      {"the last monitor removed, and one back", {Place(kA, "L", true)}, {}, {{0}, {}, {}}},
      {"one back", {}, {Place(kA, "L", true)}, {{}, {}, {0}}},
      {"a monitor resized keeps its view by its name",
       {Place(kA, "L", true), Place(kB, "R")},
       {Place(kA, "L", true), Place(kWideB, "R")},
       {{}, {{1, 1}}, {}}},
      {"the primary removed: another becomes primary",
       {Place(kA, "L", true), Place(kB, "R")},
       {Place(kB, "R", true)},
       {{0}, {{1, 0}}, {}}},
      {"nameless monitors are known by their rectangle",
       {Place(kA, ""), Place(kB, "")},
       {Place(kB, ""), Place(kWideB, "")},
       {{0}, {}, {1}}},
      {"monitors named alike are told apart by their rectangle",
       {Place(kA, "headless"), Place(kB, "headless")},
       {Place(kB, "headless")},
       {{0}, {}, {}}},
      {"a monitor replaced by another where it stood",
       {Place(kA, "L", true)},
       {Place(kA, "M", true)},
       {{}, {{0, 0}}, {}}},
  };
  for (const Case& c : cases) {
    const LayoutChange change = CompareLayouts(c.current, c.wanted);
    EXPECT_EQ(change.close, c.change.close) << c.what;
    EXPECT_EQ(change.relayout, c.change.relayout) << c.what;
    EXPECT_EQ(change.open, c.change.open) << c.what;
  }
}

TEST(KeepPrimaryTest, TheCurrentPrimaryStaysSoWhereNoneIsFlagged) {
  const std::vector<ViewPlacement> current{Place(kA, "L", true), Place(kB, "R")};
  std::vector<Monitor> unflagged{{kB, false, "R"}, {kWideB, false, "L"}};
  KeepPrimary(unflagged, current);
  EXPECT_FALSE(unflagged[0].primary);
  EXPECT_TRUE(unflagged[1].primary);
  std::vector<Monitor> flagged{{kA, false, "L"}, {kB, true, "R"}};
  KeepPrimary(flagged, current);
  EXPECT_FALSE(flagged[0].primary);
}

}  // namespace
}  // namespace veyora

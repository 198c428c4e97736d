#include "frontend/ui/pointer_visibility.h"

#include <gtest/gtest.h>

namespace {

TEST(PointerVisibilityTest, CountsLikeADisplayCounter) {
  // No X server is needed for the count itself.
  int start = veyora::frontend::ui::ShowPointer(true) - 1;
  EXPECT_EQ(veyora::frontend::ui::ShowPointer(false), start);
  EXPECT_EQ(veyora::frontend::ui::ShowPointer(false), start - 1);
  EXPECT_EQ(veyora::frontend::ui::ShowPointer(true), start);
}

}  // namespace

#include <gtest/gtest.h>

#include "renderer/gl/picture_keeping.h"

namespace veyora {
namespace {

TEST(PictureKeepingTest, SoftwareRasterizersAreToldByTheirRendererString) {
  EXPECT_TRUE(IsSoftwareRasterizer("llvmpipe (LLVM 15.0.6, 256 bits)"));
  EXPECT_TRUE(IsSoftwareRasterizer("softpipe"));
  EXPECT_TRUE(
      IsSoftwareRasterizer("Mesa DRI Intel(R) HD Graphics 620 (KBL GT2) Software Rasterizer"));
  EXPECT_TRUE(IsSoftwareRasterizer("zink (llvmpipe (LLVM 15.0.6, 256 bits))"));
  EXPECT_FALSE(IsSoftwareRasterizer("Mesa Intel(R) UHD Graphics 620 (KBL GT2)"));
  EXPECT_FALSE(IsSoftwareRasterizer("AMD Radeon RX 6600 (navi23, LLVM 15.0.6, DRM 3.49)"));
  EXPECT_FALSE(IsSoftwareRasterizer("virgl"));
}

TEST(PictureKeepingTest, EachDriverGetsTheCheapestWayThatFadesToBlack) {
  struct Case {
    const char* name;
    DriverTraits driver;
    PictureKeeping expected;
  };
  const Case cases[] = {
      {"hardware", {false, true, true, false}, PictureKeeping::DeepBuffer},
      {"hardware keeping its back buffer", {false, true, true, true}, PictureKeeping::DeepBuffer},
      {"software keeping its back buffer", {true, true, true, true}, PictureKeeping::BackBuffer},
      {"software swapping buffers", {true, true, true, false}, PictureKeeping::StandardBuffer},
      {"software without a subtracting blend",
       {true, true, false, true},
       PictureKeeping::DeepBuffer},
      {"no framebuffer objects", {false, false, true, false}, PictureKeeping::BackBuffer},
  };
  for (const Case& c : cases) EXPECT_EQ(ChoosePictureKeeping(c.driver), c.expected) << c.name;
}

}  // namespace
}  // namespace veyora

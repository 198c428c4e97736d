// The toolkit tests share one private X server and one toolkit, started here.
#include <gtest/gtest.h>

#include <cstdlib>

#include "frontend/ui/toolkit.h"
#include "tests/support/xvfb_server.h"

using namespace veyora::frontend;

int main(int argc, char** argv) {
  ::testing::InitGoogleTest(&argc, argv);
  testsupport::XvfbServer server(800, 600);
  if (!server.Running()) return 1;
  setenv("DISPLAY", server.Display().c_str(), 1);
  ui::StartToolkit();
  return RUN_ALL_TESTS();
}

// The full-screen run inside the test process, with a stand-in renderer and an
// appearance limit short enough to wait for.
#include "frontend/saver/full_screen_run.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <chrono>
#include <cstdlib>

#include "frontend/ui/toolkit.h"
#include "tests/support/temporary_folder.h"
#include "tests/support/xvfb_server.h"

using namespace veyora::frontend;

TEST(FullScreenRun, ARendererThatNeverShowsAWindowEndsTheRunAtTheAppearanceLimit) {
  testsupport::TemporaryFolder folder;
  const std::string renderer = folder.File("renderer");
  // Runs, without a window, for as long as its file is there.
  testsupport::WriteBytes(
      renderer, "#!/bin/sh\nexec >/dev/null 2>&1\nwhile [ -e \"$0\" ]; do sleep 0.05; done\n");
  ASSERT_EQ(chmod(renderer.c_str(), 0700), 0);
  constexpr std::chrono::milliseconds kLimit{500};

  const auto start = std::chrono::steady_clock::now();
  FullScreenRun run(Settings{}, std::nullopt, renderer, kLimit);
  run.Load();
  ui::Form::RunWhileAnyLoaded();
  EXPECT_FALSE(run.Loaded());
  EXPECT_GE(std::chrono::steady_clock::now() - start, kLimit);
}

int main(int argc, char** argv) {
  ::testing::InitGoogleTest(&argc, argv);
  testsupport::XvfbServer server(640, 480);
  if (!server.Running()) return 1;
  setenv("DISPLAY", server.Display().c_str(), 1);
  ui::StartToolkit();
  return RUN_ALL_TESTS();
}

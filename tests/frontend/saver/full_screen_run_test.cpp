// The full-screen run inside the test process, with a stand-in renderer and an
// appearance limit short enough to wait for.
#include "frontend/saver/full_screen_run.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <chrono>

#include "frontend/ui/form.h"
#include "tests/support/temporary_folder.h"

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

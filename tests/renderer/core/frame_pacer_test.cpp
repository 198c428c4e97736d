#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <vector>

#include "renderer/core/frame_pacer.h"

namespace veyora {
namespace {

constexpr double kPeriod = 1.0 / 60;

TEST(FramePacerTest, RefreshPeriodFallsBackTo60Hz) {
  EXPECT_DOUBLE_EQ(RefreshPeriod(75), 1.0 / 75);
  EXPECT_DOUBLE_EQ(RefreshPeriod(0), 1.0 / 60);
  EXPECT_DOUBLE_EQ(RefreshPeriod(-1), 1.0 / 60);
}

// A frame loop on a fake clock: each frame takes `work(n)` seconds of drawing, plus,
// where the display paces, the wait for its next refresh (every `refresh` seconds);
// every wait the pacer asks for overruns by `oversleep`.
struct Loop {
  bool swapWaits = false;
  double refresh = 0.0;  // 0: the swap does not wait
  double oversleep = 0.0;
  std::function<double(int)> work;
};

struct PacedFrames {
  std::vector<double> starts;
  bool displayPacedAtEnd = false;
};

PacedFrames RunFrames(const Loop& loop, int frames) {
  FramePacer pacer(kPeriod, loop.swapWaits);
  PacedFrames run;
  double now = 0.0;
  for (int n = 0; n < frames; ++n) {
    run.starts.push_back(now);
    pacer.FrameStarted(now);
    now += loop.work(n);
    if (loop.refresh > 0.0) now = (static_cast<long>(now / loop.refresh) + 1) * loop.refresh;
    const double delay = pacer.DelayBefore(now);
    if (delay > 0.0) now += delay + loop.oversleep;
  }
  run.displayPacedAtEnd = pacer.DisplayPaces();
  return run;
}

double FramesPerSecond(const PacedFrames& run) {
  return (run.starts.size() - 1) / (run.starts.back() - run.starts.front());
}

double ShortestInterval(const PacedFrames& run) {
  double shortest = 1e9;
  for (std::size_t i = 1; i < run.starts.size(); ++i) {
    shortest = std::min(shortest, run.starts[i] - run.starts[i - 1]);
  }
  return shortest;
}

TEST(FramePacerTest, FramesFollowTheDisplayWhetherOrNotItsSwapWaits) {
  struct Case {
    const char* name;
    Loop loop;
    double fps;
    bool displayPaced;
  };
  const Case cases[] = {
      // No vertical sync: quick frames and frames of most of a period alike come at
      // the display's rate, even when every sleep overruns.
      {"quick frames, no sync", {false, 0.0, 0.0005, [](int) { return 0.002; }}, 60.0, false},
      {"long frames, no sync",
       {false, 0.0, 0.0005, [](int) { return 0.8 * kPeriod; }},
       60.0,
       false},
      {"uneven frames, no sync",
       {false, 0.0, 0.0002, [](int n) { return n % 3 ? 0.004 : 0.9 * kPeriod; }},
       60.0,
       false},
      // A swap that waits paces on its own, at the display's true rate.
      {"waiting swap", {true, 1.0 / 59.94, 0.0, [](int) { return 0.004; }}, 59.94, true},
      // A swap said to wait that does not: taken for one that does not.
      {"swap that does not wait", {true, 0.0, 0.0, [](int) { return 0.002; }}, 60.0, false},
      // Too slow for the display: as fast as it can, nothing more.
      {"slow frames", {false, 0.0, 0.0, [](int) { return 0.025; }}, 40.0, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const PacedFrames run = RunFrames(c.loop, 1200);
    EXPECT_NEAR(FramesPerSecond(run), c.fps, 0.2);
    EXPECT_EQ(run.displayPacedAtEnd, c.displayPaced);
  }
}

TEST(FramePacerTest, NoBurstOfQuickFramesAfterAStall) {
  const Loop loop{false, 0.0, 0.0, [](int n) { return n == 100 ? 0.5 : 0.002; }};
  const PacedFrames run = RunFrames(loop, 300);
  EXPECT_GE(ShortestInterval(run), 0.75 * kPeriod);
  EXPECT_NEAR(run.starts[102] - run.starts[101], kPeriod, 1e-9);
}

}  // namespace
}  // namespace veyora

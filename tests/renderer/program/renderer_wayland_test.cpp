#include <gtest/gtest.h>

#include <chrono>
#include <memory>
#include <string>
#include <thread>
#include <vector>

#include "platform/shared_names.h"
#include "tests/renderer/screen_pixels.h"
#include "tests/support/child_process.h"
#include "tests/support/sway_session.h"
#include "tests/support/test_pointer.h"
#include "tests/support/x_wait.h"

namespace veyora::testing {
namespace {

using testsupport::SwaySession;

constexpr int kShowMs = 60000;
constexpr int kEndMs = 30000;
constexpr int kLayoutWidth = 2 * SwaySession::kOutputWidth;

// The renderer in a headless sway with two outputs and a pointer and a keyboard on
// the seat, the pointer resting in the middle of the first output.
class RendererWaylandTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(session_.Running()) << session_.Log();
    pointer_ = std::make_unique<testsupport::TestPointer>(session_);
    ASSERT_TRUE(pointer_->Ready());
    ASSERT_TRUE(pointer_->AddKeyboard());
    ASSERT_TRUE(pointer_->MoveTo(640, 360, kLayoutWidth, SwaySession::kOutputHeight));
  }

  // Starts the renderer with these environment additions and waits until these
  // outputs show its glow moving.
  void StartRenderer(const std::map<std::string, std::string>& env = {},
                     const std::vector<std::string>& outputs = {"HEADLESS-1", "HEADLESS-2"}) {
    renderer_ = session_.Start(testsupport::RendererPath(), {}, env);
    for (const std::string& output : outputs) ASSERT_TRUE(ShowsMovingGlowOn(output)) << output;
  }

  bool ShowsMovingGlowOn(const std::string& output) {
    return ShowsMovingGlow([&] { return session_.Screenshot(output).pixels; },
                           SwaySession::kOutputWidth * SwaySession::kOutputHeight, kShowMs);
  }

  // The glow goes on moving on the first output, twice over: the renderer has gone
  // round its loop, taking in what was sent before, and drawn again.
  bool KeepsDrawing() { return ShowsMovingGlowOn("HEADLESS-1") && ShowsMovingGlowOn("HEADLESS-1"); }

  SwaySession session_;
  std::unique_ptr<testsupport::TestPointer> pointer_;
  std::unique_ptr<testsupport::ChildProcess> renderer_;
};

TEST_F(RendererWaylandTest, SmallPointerMovesKeepItRunningAndALargeOneEndsIt) {
  StartRenderer();
  ASSERT_TRUE(pointer_->Move(2, 0));
  ASSERT_TRUE(pointer_->Move(0, 2));
  ASSERT_TRUE(KeepsDrawing());
  EXPECT_TRUE(renderer_->Running());
  ASSERT_TRUE(pointer_->Move(20, 0));
  EXPECT_EQ(renderer_->WaitExit(kEndMs), 0);
}

TEST_F(RendererWaylandTest, FocusMovingBetweenItsWindowsKeepsItAndAnotherClientTakingItEndsIt) {
  StartRenderer();
  ASSERT_TRUE(session_.Command("focus output HEADLESS-2"));
  ASSERT_TRUE(session_.Command("focus output HEADLESS-1"));
  ASSERT_TRUE(KeepsDrawing());
  ASSERT_TRUE(renderer_->Running());
  auto other = session_.Start("/usr/bin/weston-simple-shm", {});
  ASSERT_TRUE(testsupport::WaitUntil(
      [&] { return session_.Command("[pid=" + std::to_string(other->Pid()) + "] focus"); },
      kShowMs));
  EXPECT_EQ(renderer_->WaitExit(kEndMs), 0);
}

TEST_F(RendererWaylandTest, OnXWaylandWithAPointerOnTheSeatItStaysUpUntilAKey) {
  // sway shows every X11 window on the focused output, whatever monitor it asks for.
  StartRenderer({{"SDL_VIDEODRIVER", "x11"}}, {"HEADLESS-1"});
  EXPECT_NE(session_.Query("get_tree").find(names::kRendererClass), std::string::npos);
  std::this_thread::sleep_for(std::chrono::seconds(10));
  ASSERT_TRUE(renderer_->Running());
  ASSERT_TRUE(session_.TypeKey());
  EXPECT_EQ(renderer_->WaitExit(kEndMs), 0);
}

// Outputs made, resized and scaled during the run: a new one shows a glow of its own,
// a resized or scaled one shows it at its new size, while the first goes on drawing.
// A real movement after that ends the run. (Headless sway 1.7 cannot disable an
// output: the command answers success, and the output stays.)
TEST(RendererWaylandOutputsTest, OutputsMadeResizedAndScaledDuringTheRun) {
  SwaySession session(1);
  ASSERT_TRUE(session.Running()) << session.Log();
  testsupport::TestPointer pointer(session);
  ASSERT_TRUE(pointer.Ready());
  ASSERT_TRUE(pointer.MoveTo(640, 360, SwaySession::kOutputWidth, SwaySession::kOutputHeight));
  const auto showsGlow = [&](const std::string& output, int width, int height) {
    return ShowsMovingGlow(
        [&] {
          testsupport::Picture shown = session.Screenshot(output);
          if (shown.width != width || shown.height != height) return std::vector<unsigned long>{};
          return shown.pixels;
        },
        width * height, kShowMs);
  };
  auto renderer = session.Start(testsupport::RendererPath(), {});
  ASSERT_TRUE(showsGlow("HEADLESS-1", 1280, 720));

  ASSERT_TRUE(session.Command("create_output"));
  ASSERT_TRUE(session.Command("output HEADLESS-2 resolution 1280x720 position 1280 0"));
  ASSERT_TRUE(showsGlow("HEADLESS-2", 1280, 720));
  ASSERT_TRUE(session.Command("output HEADLESS-2 resolution 800x600"));
  ASSERT_TRUE(showsGlow("HEADLESS-2", 800, 600));
  ASSERT_TRUE(session.Command("output HEADLESS-2 scale 2"));
  ASSERT_TRUE(showsGlow("HEADLESS-2", 800, 600));

  ASSERT_TRUE(showsGlow("HEADLESS-1", 1280, 720));
  ASSERT_TRUE(renderer->Running());

  EXPECT_TRUE(testsupport::WaitUntil([&] { return pointer.Move(20, 0) && !renderer->Running(); },
                                     kEndMs, 200));
  EXPECT_EQ(renderer->WaitExit(kEndMs), 0);
}

// Outputs unplugged during the run (sway's outputs are X windows here, which can
// be taken away): the view of the first gone closes while the other goes on drawing,
// and the pointer, which stood on the one gone, moved by sway onto the other is not
// the user's input. With the last one gone too, an output plugged in right after
// gets a glow of its own; a real movement after that ends the run. (The keyboard
// focus stays on the first output: sway moves the focused workspace of an output gone
// to the one left, where it would hide the first output's view.)
TEST(RendererWaylandOutputsTest, OutputsUnpluggedDuringTheRunTheLastOneToo) {
  SwaySession session(2, SwaySession::XWayland::Disabled, SwaySession::OutputKind::XWindows);
  ASSERT_TRUE(session.Running()) << session.Log();
  ASSERT_TRUE(session.Command("focus_follows_mouse no"));
  ASSERT_TRUE(session.Command("mouse_warping none"));
  testsupport::TestPointer pointer(session);
  ASSERT_TRUE(pointer.Ready());
  ASSERT_TRUE(pointer.AddKeyboard());
  ASSERT_TRUE(pointer.MoveTo(1920, 360, kLayoutWidth, SwaySession::kOutputHeight));
  // At the output's size, which a new output's window on the X server chooses.
  const auto showsGlow = [&](const std::string& output) {
    const auto pixels = [&] { return session.Screenshot(output).pixels; };
    return ShowsMovingGlow(pixels, static_cast<int>(pixels().size()), kShowMs);
  };
  const auto windows = [&] {
    const std::string tree = session.Query("get_tree");
    std::size_t count = 0;
    for (std::size_t at = tree.find(names::kRendererClass); at != std::string::npos;
         at = tree.find(names::kRendererClass, at + 1)) {
      ++count;
    }
    return count;
  };
  auto renderer = session.Start(testsupport::RendererPath(), {});
  ASSERT_TRUE(showsGlow("X11-1"));
  ASSERT_TRUE(showsGlow("X11-2"));
  ASSERT_TRUE(session.Command("focus output X11-1"));

  ASSERT_TRUE(session.RemoveOutput("X11-2"));
  EXPECT_TRUE(testsupport::WaitUntil([&] { return windows() == 1; }, kShowMs, 200));
  ASSERT_TRUE(showsGlow("X11-1"));
  ASSERT_TRUE(showsGlow("X11-1"));
  ASSERT_TRUE(renderer->Running());

  ASSERT_TRUE(session.RemoveOutput("X11-1"));
  ASSERT_TRUE(session.Command("create_output"));
  ASSERT_TRUE(showsGlow("X11-3"));
  ASSERT_TRUE(showsGlow("X11-3"));
  EXPECT_TRUE(testsupport::WaitUntil([&] { return windows() == 1; }, kShowMs, 200));
  ASSERT_TRUE(renderer->Running());

  // Back and forth: the pointer may stand at any edge of the new output.
  int direction = 1;
  EXPECT_TRUE(testsupport::WaitUntil(
      [&] {
        direction = -direction;
        return pointer.Move(20 * direction, 20 * direction) && !renderer->Running();
      },
      kEndMs, 200));
  EXPECT_EQ(renderer->WaitExit(kEndMs), 0);
}

}  // namespace
}  // namespace veyora::testing

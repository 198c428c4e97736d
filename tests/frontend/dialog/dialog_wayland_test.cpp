// The settings dialog of the real front end in headless sway and GNOME Shell
// without XWayland: on the toolkit's Wayland platform, the only one of the session.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <string>
#include <vector>

#include "platform/shared_names.h"
#include "tests/support/child_process.h"
#include "tests/support/gnome_shell_session.h"
#include "tests/support/sway_session.h"
#include "tests/support/test_pointer.h"
#include "tests/support/x_wait.h"

namespace {

using testsupport::SwaySession;
using testsupport::WaitUntil;

constexpr int kDeadlineMs = 60000;

// Pixels of the dialog's own background: grey levels with 30 more blue, from the
// dark navy at its edges to (220, 220, 250) in its middle.
int DialogGradientPixels(const testsupport::Picture& picture) {
  int count = 0;
  for (unsigned long pixel : picture.pixels) {
    const unsigned long red = pixel >> 16 & 0xFF, green = pixel >> 8 & 0xFF, blue = pixel & 0xFF;
    if (red == green && blue == red + 30 && red >= 20) ++count;
  }
  return count;
}

// With XWayland and without any X server: the dialog is a Wayland window of its own.
class DialogOnSwayTest : public ::testing::TestWithParam<SwaySession::XWayland> {};

TEST_P(DialogOnSwayTest, TheDialogShowsOnWaylandAndNoOtherStartRunsBesideIt) {
  SwaySession session(1, GetParam());
  ASSERT_TRUE(session.Running()) << session.Log();
  auto dialog = session.Start(testsupport::FrontEndPath(), {"/c"});
  const std::string title = std::string("\"name\": \"") + names::kDialogTitle + "\"";
  ASSERT_TRUE(WaitUntil([&] { return session.Query("get_tree").find(title) != std::string::npos; },
                        kDeadlineMs))
      << session.Query("get_tree");
  const std::string tree = session.Query("get_tree");
  EXPECT_NE(tree.find("\"shell\": \"xdg_shell\""), std::string::npos) << tree;
  EXPECT_EQ(tree.find("\"shell\": \"xwayland\""), std::string::npos) << tree;
  // Its background drawn: a good part of the 479 x 252 pixels of its inner area.
  testsupport::Picture shown;
  EXPECT_TRUE(WaitUntil(
      [&] {
        shown = session.Screenshot("HEADLESS-1");
        return DialogGradientPixels(shown) > 479 * 60;
      },
      kDeadlineMs));
  // Kept beside the test's output for a person to look at.
  session.Run("grim", {"-o", "HEADLESS-1", session.Home() + "/dialog.png"});
  std::error_code error;
  std::filesystem::copy_file(session.Home() + "/dialog.png",
                             GetParam() == SwaySession::XWayland::Enabled
                                 ? "dialog_on_sway.png"
                                 : "dialog_on_sway_without_x.png",
                             std::filesystem::copy_options::overwrite_existing, error);

  // Another dialog or a screensaver run started meanwhile ends at once, silently.
  for (const char* mode : {"/c", "/s"}) {
    auto other = session.Start(testsupport::FrontEndPath(), {mode});
    EXPECT_EQ(other->WaitExit(kDeadlineMs), 0) << mode;
  }
  EXPECT_TRUE(testsupport::RunningProcessesOf(testsupport::RendererPath()).empty());
  ASSERT_TRUE(dialog->Running());

  // The close box's request, as sway's kill sends it to the focused window.
  ASSERT_TRUE(session.Command("kill"));
  EXPECT_EQ(dialog->WaitExit(kDeadlineMs), 0);
}

INSTANTIATE_TEST_SUITE_P(XWayland, DialogOnSwayTest,
                         ::testing::Values(SwaySession::XWayland::Enabled,
                                           SwaySession::XWayland::Disabled),
                         [](const auto& info) {
                           return info.param == SwaySession::XWayland::Enabled ? "WithXWayland"
                                                                               : "WithoutXServer";
                         });

// The dialog's inner area on the picture: the box around its background's pixels.
struct Area {
  int left = 0, top = 0, width = 0, height = 0;
};
Area DialogArea(const testsupport::Picture& picture) {
  int left = picture.width, top = picture.height, right = -1, bottom = -1;
  for (int y = 0; y < picture.height; ++y) {
    for (int x = 0; x < picture.width; ++x) {
      const unsigned long pixel = picture.pixels[static_cast<size_t>(y * picture.width + x)];
      const unsigned long red = pixel >> 16 & 0xFF, green = pixel >> 8 & 0xFF, blue = pixel & 0xFF;
      if (red != green || blue != red + 30) continue;
      left = std::min(left, x), top = std::min(top, y);
      right = std::max(right, x), bottom = std::max(bottom, y);
    }
  }
  return right < 0 ? Area{} : Area{left, top, right - left + 1, bottom - top + 1};
}

std::vector<unsigned long> Pixels(const testsupport::Picture& picture, const Area& area) {
  std::vector<unsigned long> pixels;
  for (int y = area.top; y < area.top + area.height && y < picture.height; ++y) {
    for (int x = area.left; x < area.left + area.width && x < picture.width; ++x) {
      pixels.push_back(picture.pixels[static_cast<size_t>(y * picture.width + x)]);
    }
  }
  return pixels;
}

// The pointer's place is known only over the program's own windows on Wayland: a
// button's hover face goes once the pointer has left the dialog.
TEST(DialogWaylandTest, OnSwayWithoutAnXServerAButtonsHoverEndsWhenThePointerLeavesTheDialog) {
  SwaySession session(1, SwaySession::XWayland::Disabled);
  ASSERT_TRUE(session.Running()) << session.Log();
  testsupport::TestPointer pointer(session);
  ASSERT_TRUE(pointer.Ready());
  ASSERT_TRUE(pointer.MoveTo(20, 20, SwaySession::kOutputWidth, SwaySession::kOutputHeight));
  auto dialog = session.Start(testsupport::FrontEndPath(), {"/c"});
  Area inner;
  ASSERT_TRUE(WaitUntil(
      [&] {
        inner = DialogArea(session.Screenshot("HEADLESS-1"));
        return inner.width == 479 && inner.height == 252;
      },
      kDeadlineMs));
  // "設定", 4800, 3000, 1095 and 375 twips into the inner area.
  const Area button{inner.left + 320, inner.top + 200, 73, 25};
  const auto shown = [&] { return Pixels(session.Screenshot("HEADLESS-1"), button); };
  const std::vector<unsigned long> normal = shown();
  const auto moveTo = [&](int x, int y) {
    return pointer.MoveTo(x, y, SwaySession::kOutputWidth, SwaySession::kOutputHeight);
  };
  ASSERT_TRUE(moveTo(button.left + button.width / 2, button.top + button.height / 2));
  EXPECT_TRUE(WaitUntil([&] { return shown() != normal; }, kDeadlineMs));
  ASSERT_TRUE(moveTo(20, 20));
  EXPECT_TRUE(WaitUntil([&] { return shown() == normal; }, kDeadlineMs));
  EXPECT_TRUE(dialog->Running());
}

// Without the renderer next to it, /c shows only the message box, on Wayland too.
TEST(DialogWaylandTest, OnSwayWithoutAnXServerAMissingRendererIsToldInAMessageBox) {
  SwaySession session(1, SwaySession::XWayland::Disabled);
  ASSERT_TRUE(session.Running()) << session.Log();
  const std::string alone = session.Home() + "/" + names::kFrontEndFile;
  std::filesystem::copy_file(testsupport::FrontEndPath(), alone);
  ASSERT_TRUE(session.GiveToSession(alone));
  auto start = session.Start(alone, {"/c"});
  const std::string caption = std::string("\"name\": \"") + names::kProgramTitle + "\"";
  ASSERT_TRUE(WaitUntil(
      [&] { return session.Query("get_tree").find(caption) != std::string::npos; }, kDeadlineMs))
      << session.Query("get_tree");
  EXPECT_EQ(session.Query("get_tree").find(names::kDialogTitle), std::string::npos);
  // Dismissed, it ends the program.
  ASSERT_TRUE(session.Command("kill"));
  EXPECT_EQ(start->WaitExit(kDeadlineMs), 0);
}

// GNOME Shell without XWayland (mutter's --no-x11) shows it too.
TEST(DialogWaylandTest, OnGnomeShellWithoutAnXServerTheDialogShows) {
  testsupport::GnomeShellSession session(testsupport::CompositorSession::XWayland::Disabled);
  ASSERT_TRUE(session.Running()) << session.Log();
  // Out of the overview, which shows windows as small pictures of themselves.
  ASSERT_TRUE(session.ShowOverview(false));
  ASSERT_TRUE(WaitUntil([&] { return session.OverviewShown() == false; }, kDeadlineMs, 100));
  auto dialog = session.Start(testsupport::FrontEndPath(), {"/c"});
  testsupport::Picture shown;
  EXPECT_TRUE(WaitUntil(
      [&] {
        shown = session.Screenshot();
        return DialogGradientPixels(shown) > 479 * 60;
      },
      kDeadlineMs, 500))
      << DialogGradientPixels(shown);
  EXPECT_TRUE(dialog->Running());
}

}  // namespace

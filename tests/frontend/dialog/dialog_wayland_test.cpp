// The settings dialog of the real front end in headless sway and GNOME Shell
// without XWayland: on the toolkit's Wayland platform, the only one of the session.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "platform/shared_names.h"
#include "tests/support/child_process.h"
#include "tests/support/gnome_shell_session.h"
#include "tests/support/sway_session.h"
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

TEST(DialogWaylandTest, OnSwayWithoutAnXServerTheDialogShowsAndNoOtherStartRunsBesideIt) {
  SwaySession session(1, SwaySession::XWayland::Disabled);
  ASSERT_TRUE(session.Running()) << session.Log();
  auto dialog = session.Start(testsupport::FrontEndPath(), {"/c"});
  const std::string title = std::string("\"name\": \"") + names::kDialogTitle + "\"";
  ASSERT_TRUE(WaitUntil([&] { return session.Query("get_tree").find(title) != std::string::npos; },
                        kDeadlineMs))
      << session.Query("get_tree");
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
  std::filesystem::copy_file(session.Home() + "/dialog.png", "dialog_on_sway_without_x.png",
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

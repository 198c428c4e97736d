// GoogleTest comes before Xlib, whose None and Bool macros would break it.
#include <gtest/gtest.h>

#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <X11/keysym.h>

#include <filesystem>
#include <string>
#include <vector>

#include "platform/shared_names.h"
#include "platform/window_search.h"
#include "tests/support/child_process.h"
#include "tests/support/private_display_test.h"
#include "tests/support/temporary_folder.h"
#include "tests/support/x_input.h"
#include "tests/support/x_wait.h"

namespace {

const std::string kMessageCaption = "Veyora(Ra05) (ScreenSaver)";
constexpr int kEndMs = 60000;

// The front end copied into a folder of its own, with or without a stand-in
// renderer file beside it, run on a private X server.
class FrontEndProgramTest : public testsupport::PrivateDisplayTest {
 protected:
  FrontEndProgramTest() : PrivateDisplayTest(640, 480) {}
  void SetUp() override {
    PrivateDisplayTest::SetUp();
    program_ = folder_.File(names::kFrontEndFile);
    std::filesystem::copy_file(testsupport::FrontEndPath(), program_);
  }

  void PlaceRendererStandIn() {
    testsupport::WriteBytes(folder_.File(names::kRendererFile), "stand-in");
  }

  std::unique_ptr<testsupport::ChildProcess> Start(const std::vector<std::string>& args) {
    return std::make_unique<testsupport::ChildProcess>(
        program_, args, std::map<std::string, std::string>{{"DISPLAY", server_.Display()}});
  }

  void PressReturnIn(Window window) {
    XSetInputFocus(display_, window, RevertToPointerRoot, CurrentTime);
    testsupport::TapKey(display_, XK_Return);
  }

  testsupport::TemporaryFolder folder_;
  std::string program_;
};

}  // namespace

TEST_F(FrontEndProgramTest, WithoutTheRendererShowsOnlyTheMessageAndEndsWhenItIsDismissed) {
  for (const std::vector<std::string>& args :
       {std::vector<std::string>{"/c"}, std::vector<std::string>{"/s"},
        std::vector<std::string>{}}) {
    const std::string name = args.empty() ? "(empty)" : args[0];
    auto program = Start(args);
    const Window box = testsupport::WaitForWindow(display_, kMessageCaption, kEndMs);
    ASSERT_NE(box, None) << name;
    ASSERT_TRUE(testsupport::WaitUntil(
        [&] { return ShownWindowTitles() == std::vector<std::string>{kMessageCaption}; }, 5000))
        << name;
    // The message waits for the user.
    EXPECT_FALSE(program->WaitExit(300).has_value()) << name;
    PressReturnIn(box);
    EXPECT_EQ(program->WaitExit(kEndMs), 0) << name;
    EXPECT_TRUE(ShownWindowTitles().empty()) << name;
  }
}

TEST_F(FrontEndProgramTest, PreviewSkipsTheRendererCheck) {
  // No pane of that number: whatever the preview then does, no message comes up.
  auto program = Start({"/p", "1234"});
  testsupport::WaitUntil([&] { return !program->Running(); }, 2000);
  EXPECT_EQ(platform::FindTopLevelWindow(display_, kMessageCaption), None);
  if (const std::optional<int> status = program->WaitExit(0)) {
    EXPECT_EQ(*status, 0);
  }
}

TEST_F(FrontEndProgramTest, ARunningSaverOrDialogEndsEveryStartAtOnce) {
  for (const char* title : {names::kSaverTitle, names::kDialogTitle}) {
    const Window other = MakeTitledWindow(title);
    for (const std::vector<std::string>& args :
         {std::vector<std::string>{"/p", "77"}, std::vector<std::string>{"/c"},
          std::vector<std::string>{"/s"}, std::vector<std::string>{},
          std::vector<std::string>{"/a"}}) {
      // No renderer beside it: had the start gone on, the message would hold it up.
      auto program = Start(args);
      EXPECT_EQ(program->WaitExit(kEndMs), 0) << title;
    }
    XDestroyWindow(display_, other);
    XSync(display_, False);
  }
}

TEST_F(FrontEndProgramTest, OtherSwitchesEndAtOnce) {
  PlaceRendererStandIn();
  for (const std::vector<std::string>& args :
       {std::vector<std::string>{"s"}, std::vector<std::string>{"/a", "1234"},
        std::vector<std::string>{"/x"}, std::vector<std::string>{std::string(100000, 'x')}}) {
    auto program = Start(args);
    EXPECT_EQ(program->WaitExit(kEndMs), 0) << args[0].substr(0, 10);
  }
}

// /c: the settings dialog, driven with the pointer as a user does.
class SettingsDialogProgramTest : public FrontEndProgramTest {
 protected:
  // Starts /c and waits for the dialog; its window.
  Window OpenDialog() {
    PlaceRendererStandIn();
    program_ = Start({"/c"});
    const Window dialog = testsupport::WaitForWindow(display_, names::kDialogTitle, kEndMs);
    EXPECT_TRUE(
        testsupport::WaitUntil([&] { return Attributes(dialog).map_state == IsViewable; }, kEndMs));
    return dialog;
  }
  XWindowAttributes Attributes(Window window) {
    XWindowAttributes attributes{};
    XGetWindowAttributes(display_, window, &attributes);
    return attributes;
  }
  // Moves the pointer onto the middle of a button placed at these twips in the
  // dialog, and clicks there.
  void ClickButton(Window dialog, int left, int top, int width, int height) {
    testsupport::ClickInWindow(display_, dialog, (left + width / 2) / 15, (top + height / 2) / 15);
  }
  std::string Settings() const {
    return testsupport::ReadBytes(folder_.File(names::kSettingsFile));
  }

  std::unique_ptr<testsupport::ChildProcess> program_;
};

TEST_F(SettingsDialogProgramTest, SetWritesTheSettingsAndEndsTheProgram) {
  const Window dialog = OpenDialog();
  ASSERT_NE(dialog, None);
  EXPECT_EQ(Attributes(dialog).width, 479);
  EXPECT_EQ(Attributes(dialog).height, 252);
  EXPECT_EQ(ShownWindowTitles(), std::vector<std::string>{names::kDialogTitle});
  ClickButton(dialog, 4800, 3000, 1095, 375);  // "設定"
  EXPECT_EQ(program_->WaitExit(kEndMs), 0);
  EXPECT_EQ(Settings(),
            "[Section]\r\nBGM\x8B\xE6\x95\xAA= 0\r\nBGM\xD8\xCB\xDF\xB0\xC4= 0\r\n"
            "BGM\xCC\xA7\xB2\xD9=\r\n");
}

TEST_F(SettingsDialogProgramTest, CancelAndTheCloseBoxWriteNothing) {
  for (bool closeBox : {false, true}) {
    const Window dialog = OpenDialog();
    ASSERT_NE(dialog, None);
    if (closeBox) {
      XEvent close{};
      close.xclient.type = ClientMessage;
      close.xclient.window = dialog;
      close.xclient.message_type = XInternAtom(display_, "WM_PROTOCOLS", False);
      close.xclient.format = 32;
      close.xclient.data.l[0] = XInternAtom(display_, "WM_DELETE_WINDOW", False);
      close.xclient.data.l[1] = CurrentTime;
      XSendEvent(display_, dialog, False, NoEventMask, &close);
      XSync(display_, False);
    } else {
      ClickButton(dialog, 5940, 3000, 1035, 375);  // "ｷｬﾝｾﾙ"
    }
    EXPECT_EQ(program_->WaitExit(kEndMs), 0) << closeBox;
    EXPECT_EQ(Settings(), "") << closeBox;
  }
}

TEST_F(FrontEndProgramTest, WithoutADisplaySaysSoAndFails) {
  auto program = std::make_unique<testsupport::ChildProcess>(
      program_, std::vector<std::string>{"/s"},
      std::map<std::string, std::string>{{"DISPLAY", ":9999"}});
  EXPECT_EQ(program->WaitExit(kEndMs), 1);
}

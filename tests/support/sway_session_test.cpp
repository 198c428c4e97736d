#include <gtest/gtest.h>

#include <string>

#include "tests/support/sway_session.h"
#include "tests/support/test_pointer.h"

namespace testsupport {
namespace {

TEST(SwaySessionTest, ShowsItsOutputsAndRunsProgramsUnderTheSessionAccount) {
  SwaySession session;
  ASSERT_TRUE(session.Running()) << session.Log();
  EXPECT_EQ(session.Run("id", {"-u"}).output, std::to_string(session.User().uid) + "\n");
  ASSERT_EQ(session.Outputs().size(), 2u);
  for (const std::string& output : session.Outputs()) {
    const Picture shown = session.Screenshot(output);
    EXPECT_EQ(shown.width, SwaySession::kOutputWidth) << output;
    EXPECT_EQ(shown.height, SwaySession::kOutputHeight) << output;
  }
  EXPECT_TRUE(session.Command("output HEADLESS-2 position 1280 0"));
  EXPECT_FALSE(session.Command("no-such-command"));
}

TEST(SwaySessionTest, KeyboardAndPointerReachTheSeat) {
  SwaySession session;
  ASSERT_TRUE(session.Running()) << session.Log();
  EXPECT_TRUE(session.TypeKey("a"));
  TestPointer pointer(session);
  ASSERT_TRUE(pointer.Ready());
  EXPECT_NE(session.Query("get_inputs").find("\"type\": \"pointer\""), std::string::npos);
  EXPECT_TRUE(pointer.MoveTo(100, 100, 2560, 720));
  EXPECT_TRUE(pointer.Move(20, 0));
  EXPECT_TRUE(pointer.Click(1));
  EXPECT_TRUE(pointer.AddKeyboard());
  EXPECT_NE(session.Query("get_inputs").find("\"type\": \"keyboard\""), std::string::npos);
}

}  // namespace
}  // namespace testsupport

#include "frontend/system/session_claim.h"

#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>

#include "tests/support/temporary_folder.h"

using namespace veyora::frontend;

TEST(SessionClaimNames, OneNamePerThingAndDisplayWhateverItsSpelling) {
  const auto name = [](const std::string& display) { return DisplayClaimName("saver", display); };
  EXPECT_EQ(name(":1"), name(":1.0"));
  EXPECT_EQ(name(":1"), name("unix:1.2"));
  EXPECT_NE(name(":1"), name(":12"));
  EXPECT_NE(name(":1"), name("otherhost:1"));
  EXPECT_NE(name(":1"), DisplayClaimName("music", ":1"));
  EXPECT_EQ(name("../../x:1").find('/'), std::string::npos);
  // A Wayland display's name, absolute paths too, never meets an X display's.
  EXPECT_NE(WaylandClaimName("saver", "1"), name(":1"));
  EXPECT_EQ(WaylandClaimName("saver", "/run/user/1/wayland-0").find('/'), std::string::npos);
  EXPECT_EQ(SessionClaimNames("dialog", ":1", "wayland-0"),
            (std::vector<std::string>{DisplayClaimName("dialog", ":1"),
                                      WaylandClaimName("dialog", "wayland-0")}));
  EXPECT_EQ(SessionClaimNames("dialog", "", "wayland-0").size(), 1u);
  EXPECT_TRUE(SessionClaimNames("dialog", "", "").empty());
}

// A claim one process holds is seen by another without taking it, and is free
// again once that process has ended.
TEST(SessionClaim, HeldByOneProcessUntilItEnds) {
  testsupport::TemporaryFolder folder;
  setenv("XDG_RUNTIME_DIR", folder.Path().c_str(), 1);
  const std::vector<std::string> both = SessionClaimNames("saver", ":7", "wayland-7");
  int ready[2], done[2];
  ASSERT_EQ(pipe(ready), 0);
  ASSERT_EQ(pipe(done), 0);
  const pid_t holder = fork();
  if (holder == 0) {
    const char claimed = Claim(both) ? 'y' : 'n';
    (void)!write(ready[1], &claimed, 1);
    char end;
    (void)!read(done[0], &end, 1);
    _exit(0);
  }
  char claimed = 0;
  ASSERT_EQ(read(ready[0], &claimed, 1), 1);
  EXPECT_EQ(claimed, 'y');
  // A start that knows only one of the session's displays meets the claim too.
  EXPECT_TRUE(ClaimedElsewhere({both[1]}));
  EXPECT_TRUE(ClaimedElsewhere(SessionClaimNames("saver", ":7", "")));
  EXPECT_FALSE(ClaimedElsewhere(SessionClaimNames("dialog", ":7", "wayland-7")));
  EXPECT_FALSE(Claim({both[1]}));
  (void)!write(done[1], "x", 1);
  int status = 0;
  ASSERT_EQ(waitpid(holder, &status, 0), holder);
  EXPECT_FALSE(ClaimedElsewhere(both));
  EXPECT_TRUE(Claim(both));
}

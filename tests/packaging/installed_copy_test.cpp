#include "tests/packaging/installed_copy_test.h"

#include <unistd.h>
#include <csignal>
#include <cstdlib>

#include "platform/shared_names.h"
#include "tests/support/x_wait.h"

namespace packagingtest {

testsupport::CapturedRun Tool(const std::string& program, const std::vector<std::string>& args,
                              int timeoutMs) {
  return testsupport::RunToEnd(
      program, args, {}, [] { dup2(STDOUT_FILENO, STDERR_FILENO); }, timeoutMs);
}

std::unique_ptr<testsupport::ChildProcess> InstalledCopyTest::Run(
    const std::vector<std::string>& args) {
  return std::make_unique<testsupport::ChildProcess>(
      prefix_ + "/bin/veyora-screensaver", args,
      std::map<std::string, std::string>{{"DISPLAY", server_.Display()},
                                         {"XDG_CONFIG_HOME", folder_.File("config")},
                                         {"XDG_CONFIG_DIRS", folder_.File("xdg")},
                                         {"LIBGL_ALWAYS_SOFTWARE", "1"},
                                         {"SDL_AUDIODRIVER", "disk"},
                                         {"SDL_DISKAUDIOFILE", folder_.File("sound.raw")}});
}

void InstalledCopyTest::Unpack(const std::string& package) {
  ASSERT_EQ(Tool("dpkg-deb", {"-x", package, folder_.File("root")}).status, 0);
  prefix_ = folder_.File("root/usr");
}

void InstalledCopyTest::ExpectTheProgramsRun() {
  const std::string launcher = prefix_ + "/bin/veyora-screensaver";
  const auto withoutDisplay = [] {
    unsetenv("DISPLAY");
    unsetenv("WAYLAND_DISPLAY");
  };
  const auto help = testsupport::RunToEnd(launcher, {"--help"}, {}, withoutDisplay);
  EXPECT_EQ(help.status, 0);
  for (const char* text :
       {"/s", "/c", "/p WINDOW", "-root", "XSCREENSAVER_WINDOW", "-window-id WINDOW",
        "--idle [DELAY]", "--idle --autostart", "SIGUSR1"}) {
    EXPECT_NE(help.output.find(text), std::string::npos) << text << " not in\n" << help.output;
  }
  const auto version = testsupport::RunToEnd(launcher, {"--version"}, {}, withoutDisplay);
  EXPECT_EQ(version.status, 0);
  EXPECT_EQ(version.output, "veyora-screensaver " PROJECT_VERSION "\n");

  // /a ends at once, quietly, once the renderer is found beside the front end.
  EXPECT_EQ(Run({"/a"})->WaitExit(kDeadlineMs), 0);
  auto run = Run({"/s"});
  EXPECT_NE(testsupport::WaitForWindow(display_, names::kRendererTitle, kDeadlineMs), None);
  run->Signal(SIGTERM);
  EXPECT_EQ(run->WaitExit(kDeadlineMs), 0);
}

}  // namespace packagingtest

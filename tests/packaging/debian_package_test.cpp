// The Debian package `cpack -G DEB` builds from the build folder, unpacked with
// `dpkg-deb -x` (nothing is installed on the machine): its programs run from there
// and its files pass their validators.
#include <gtest/gtest.h>

#include <X11/Xlib.h>
#include <signal.h>
#include <unistd.h>

#include <filesystem>

#include "platform/shared_names.h"
#include "tests/support/captured_run.h"
#include "tests/support/child_process.h"
#include "tests/support/private_display_test.h"
#include "tests/support/temporary_folder.h"
#include "tests/support/x_wait.h"

namespace {

constexpr int kDeadlineMs = 300000;

// A tool run to its end, what it says on standard error included.
testsupport::CapturedRun Tool(const std::string& program, const std::vector<std::string>& args) {
  return testsupport::RunToEnd(program, args, {}, [] { dup2(STDOUT_FILENO, STDERR_FILENO); }, kDeadlineMs);
}

class DebianPackageTest : public testsupport::PrivateDisplayTest {
 protected:
  DebianPackageTest() : PrivateDisplayTest(640, 480) {}

  std::unique_ptr<testsupport::ChildProcess> Run(const std::string& switches) {
    return std::make_unique<testsupport::ChildProcess>(
        root_ + "/usr/bin/veyora-screensaver", std::vector<std::string>{switches},
        std::map<std::string, std::string>{{"DISPLAY", server_.Display()},
                                           {"XDG_CONFIG_HOME", folder_.File("config")},
                                           {"LIBGL_ALWAYS_SOFTWARE", "1"},
                                           {"SDL_AUDIODRIVER", "dummy"}});
  }

  testsupport::TemporaryFolder folder_;
  std::string root_ = folder_.File("root");
};

TEST_F(DebianPackageTest, BuildsCleanUnderUsrAndItsUnpackedProgramsRun) {
  const std::string arch = Tool("dpkg", {"--print-architecture"}).output;
  const std::string package =
      folder_.File("veyora-screensaver_" PROJECT_VERSION "_" + arch.substr(0, arch.find('\n')) + ".deb");
  const auto cpack = Tool(CPACK_COMMAND_PATH, {"-G", "DEB", "--config", BUILD_FOLDER "/CPackConfig.cmake",
                                               "-B", folder_.Path()});
  ASSERT_TRUE(std::filesystem::exists(package)) << cpack.output;
  ASSERT_EQ(Tool("dpkg-deb", {"-x", package, root_}).status, 0);
  EXPECT_TRUE(std::filesystem::exists(root_ + "/usr/share/doc/veyora-screensaver/copyright"));
  EXPECT_TRUE(std::filesystem::exists(root_ + "/usr/share/doc/veyora-screensaver/changelog.gz"));
  // Found by dpkg-shlibdeps from the programs themselves.
  EXPECT_NE(Tool("dpkg-deb", {"-f", package, "Depends"}).output.find("libqt6widgets6"), std::string::npos);

  // /a ends at once, quietly, once the renderer is found beside the front end.
  EXPECT_EQ(Run("/a")->WaitExit(kDeadlineMs), 0);
  auto saver = Run("/s");
  EXPECT_NE(testsupport::WaitForWindow(display_, names::kRendererTitle, kDeadlineMs), None);
  saver->Signal(SIGTERM);
  EXPECT_EQ(saver->WaitExit(kDeadlineMs), 0);

  // Every desktop entry and manual page, and the package, through its validator:
  // silent, but for lintian, which only must find no error.
  std::vector<std::vector<std::string>> checks = {{"lintian", "--fail-on", "error", package}};
  for (const auto& entry : std::filesystem::recursive_directory_iterator(root_)) {
    const std::string file = entry.path().string();
    if (file.ends_with(".desktop")) checks.push_back({"desktop-file-validate", file});
    if (file.ends_with(".6.gz")) checks.push_back({"mandoc", "-Tlint", file});
  }
  EXPECT_GE(checks.size(), 4u);  // lintian, two desktop entries or more, the manual page
  std::string missing;
  for (const std::vector<std::string>& check : checks) {
    if (!std::filesystem::exists("/usr/bin/" + check[0])) {
      missing += " " + check[0];
      continue;
    }
    const auto run = Tool(check[0], {check.begin() + 1, check.end()});
    EXPECT_TRUE(run.status == 0 && (check[0] == "lintian" || run.output.empty())) << check.back() << "\n"
                                                                                 << run.output;
  }
  if (!missing.empty()) GTEST_SKIP() << "not installed, so NOT run:" << missing;
}

}  // namespace

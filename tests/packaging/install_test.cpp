// `cmake --install` into a temporary prefix, the programs' folder then made
// read-only as an installation is: the settings dialog writes the user's own
// settings file, and the next screensaver run plays what it chose. And the Debian
// package made from the same install rules.
#include <gtest/gtest.h>

#include <X11/Xlib.h>
#include <X11/keysym.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>

#include "platform/shared_names.h"
#include "tests/frontend/music/support/test_audio.h"
#include "tests/support/captured_run.h"
#include "tests/support/child_process.h"
#include "tests/support/private_display_test.h"
#include "tests/support/temporary_folder.h"
#include "tests/support/x_input.h"
#include "tests/support/x_wait.h"

namespace {

using testsupport::ReadBytes;
using testsupport::WriteBytes;

constexpr int kDeadlineMs = 60000;

class InstallTest : public testsupport::PrivateDisplayTest {
 protected:
  InstallTest() : PrivateDisplayTest(800, 600) {}

  std::unique_ptr<testsupport::ChildProcess> Run(const std::vector<std::string>& args) {
    return std::make_unique<testsupport::ChildProcess>(
        prefix_ + "/bin/veyora-screensaver", args,
        std::map<std::string, std::string>{{"DISPLAY", server_.Display()},
                                           {"XDG_CONFIG_HOME", folder_.File("config")},
                                           {"LIBGL_ALWAYS_SOFTWARE", "1"},
                                           {"SDL_AUDIODRIVER", "disk"},
                                           {"SDL_DISKAUDIOFILE", folder_.File("sound.raw")}});
  }

  testsupport::TemporaryFolder folder_;
  std::string prefix_ = folder_.File("prefix");
};

TEST_F(InstallTest, TheDialogWritesTheUsersOwnFileAndTheNextRunPlaysIt) {
  testsupport::ChildProcess install(CMAKE_COMMAND_PATH,
                                    {"--install", BUILD_FOLDER, "--prefix", prefix_});
  ASSERT_EQ(install.WaitExit(kDeadlineMs), 0);
  const std::string programs = prefix_ + "/libexec/veyora";
  ASSERT_TRUE(std::filesystem::exists(programs + "/" + names::kRendererFile));

  // The system-wide default: no music, a file already named.
  const std::string song = folder_.File("song.wav");
  ASSERT_TRUE(musictest::WriteWav(song, musictest::Tone(500, 0.25)));
  const std::string shipped = programs + "/" + names::kSettingsFile;
  const std::string defaults =
      "[Section]\r\nBGM\x8B\xE6\x95\xAA= 0\r\nBGM\xCC\xA7\xB2\xD9=" + song + "\r\n";
  WriteBytes(shipped, defaults);
  ASSERT_EQ(chmod(programs.c_str(), 0555), 0);

  // The dialog: the mark beside "MP3、WAV", then "設定".
  auto dialog = Run({"/c"});
  const Window window = testsupport::WaitForWindow(display_, names::kDialogTitle, kDeadlineMs);
  ASSERT_NE(window, None);
  ASSERT_TRUE(testsupport::WaitUntil(
      [&] {
        XWindowAttributes attributes{};
        return XGetWindowAttributes(display_, window, &attributes) &&
               attributes.map_state == IsViewable;
      },
      kDeadlineMs));
  testsupport::ClickInWindow(display_, window, (180 + 300 + 97) / 15, (240 + 1440 + 97) / 15);
  testsupport::ClickInWindow(display_, window, (4800 + 547) / 15, (3000 + 187) / 15);
  ASSERT_EQ(dialog->WaitExit(kDeadlineMs), 0);
  const std::string own = folder_.File(std::string("config/veyora/") + names::kSettingsFile);
  EXPECT_EQ(ReadBytes(own),
            "[Section]\r\nBGM\x8B\xE6\x95\xAA= 2\r\nBGM\xD8\xCB\xDF\xB0\xC4= 0\r\n"
            "BGM\xCC\xA7\xB2\xD9=" +
                song + "\r\n");
  EXPECT_EQ(ReadBytes(shipped), defaults);

  // The next run plays the file the user's own settings chose.
  auto run = Run({"/s"});
  ASSERT_NE(testsupport::WaitForWindow(display_, names::kRendererTitle, kDeadlineMs), None);
  EXPECT_TRUE(testsupport::WaitUntil(
      [&] {
        return std::filesystem::exists(folder_.File("sound.raw")) &&
               std::filesystem::file_size(folder_.File("sound.raw")) > 44100;
      },
      kDeadlineMs));
  run->Signal(SIGTERM);
  EXPECT_EQ(run->WaitExit(kDeadlineMs), 0);
  chmod(programs.c_str(), 0755);
}

TEST_F(InstallTest, TheIdleWatchCopiesTheInstalledAutostartEntryToStartTheLauncher) {
  testsupport::ChildProcess install(CMAKE_COMMAND_PATH,
                                    {"--install", BUILD_FOLDER, "--prefix", prefix_});
  ASSERT_EQ(install.WaitExit(kDeadlineMs), 0);
  const std::string installed =
      ReadBytes(prefix_ + "/share/veyora/veyora-screensaver-idle.desktop");
  ASSERT_NE(installed.find("Exec=veyora-screensaver --idle"), std::string::npos);

  auto copy = Run({"--idle", "--autostart", "5"});
  ASSERT_EQ(copy->WaitExit(kDeadlineMs), 0);
  const std::string entry =
      ReadBytes(folder_.File("config/autostart/veyora-screensaver-idle.desktop"));
  const std::string launcher =
      std::filesystem::canonical(prefix_ + "/bin/veyora-screensaver").string();
  EXPECT_NE(entry.find("\nExec=" + launcher + " --idle 5\n"), std::string::npos) << entry;
  EXPECT_NE(entry.find("\nTryExec=" + launcher + "\n"), std::string::npos) << entry;
}

// A tool run to its end, what it says on standard error included.
testsupport::CapturedRun Tool(const std::string& program, const std::vector<std::string>& args) {
  return testsupport::RunToEnd(
      program, args, {}, [] { dup2(STDOUT_FILENO, STDERR_FILENO); }, 300000);
}

TEST_F(InstallTest, TheDebianPackageUnpackedRunsAndPassesItsValidators) {
  const std::string arch = Tool("dpkg", {"--print-architecture"}).output;
  const std::string package = folder_.File("veyora-screensaver_" PROJECT_VERSION "_" +
                                           arch.substr(0, arch.find('\n')) + ".deb");
  const auto cpack =
      Tool(CPACK_COMMAND_PATH,
           {"-G", "DEB", "--config", BUILD_FOLDER "/CPackConfig.cmake", "-B", folder_.Path()});
  ASSERT_TRUE(std::filesystem::exists(package)) << cpack.output;
  ASSERT_EQ(Tool("dpkg-deb", {"-x", package, folder_.File("root")}).status, 0);
  prefix_ = folder_.File("root/usr");
  EXPECT_TRUE(std::filesystem::exists(prefix_ + "/share/doc/veyora-screensaver/changelog.gz"));
  // Found by dpkg-shlibdeps from the programs themselves.
  EXPECT_NE(Tool("dpkg-deb", {"-f", package, "Depends"}).output.find("libqt6widgets6"),
            std::string::npos);
  // /a ends at once, quietly, once the renderer is found beside the front end.
  EXPECT_EQ(Run({"/a"})->WaitExit(kDeadlineMs), 0);
  auto run = Run({"/s"});
  EXPECT_NE(testsupport::WaitForWindow(display_, names::kRendererTitle, kDeadlineMs), None);
  run->Signal(SIGTERM);
  EXPECT_EQ(run->WaitExit(kDeadlineMs), 0);

  // The package and every desktop entry and manual page in it through its
  // validator: silent, but for lintian, which must only find no error.
  std::vector<std::vector<std::string>> checks = {{"lintian", "--fail-on", "error", package}};
  for (const auto& entry : std::filesystem::recursive_directory_iterator(prefix_)) {
    const std::string file = entry.path().string();
    if (file.ends_with(".desktop")) checks.push_back({"desktop-file-validate", file});
    if (file.ends_with(".6.gz")) checks.push_back({"mandoc", "-Tlint", file});
  }
  EXPECT_GE(checks.size(), 4u);
  std::string missing;
  for (const std::vector<std::string>& check : checks) {
    if (!std::filesystem::exists("/usr/bin/" + check[0])) {
      missing += " " + check[0];
      continue;
    }
    const auto result = Tool(check[0], {check.begin() + 1, check.end()});
    EXPECT_TRUE(result.status == 0 && (check[0] == "lintian" || result.output.empty()))
        << check.back() << "\n"
        << result.output;
  }
  if (!missing.empty()) GTEST_SKIP() << "not installed, so NOT run:" << missing;
}

}  // namespace

// `cmake --install` into a temporary prefix: the settings dialog, run as the
// superuser can run it, writes the user's own settings file and nothing under the
// prefix, and the next screensaver run plays what it chose. And the Debian
// package made from the same install rules: its fields, and its programs run.
#include "tests/packaging/installed_copy_test.h"

#include <X11/Xlib.h>
#include <X11/keysym.h>
#include <sys/stat.h>

#include <filesystem>
#include <map>
#include <regex>

#include "platform/shared_names.h"
#include "tests/frontend/music/support/test_audio.h"
#include "tests/support/x_input.h"
#include "tests/support/x_wait.h"

namespace {

using packagingtest::kDeadlineMs;
using packagingtest::Tool;
using testsupport::ReadBytes;
using testsupport::WriteBytes;

using InstallTest = packagingtest::InstalledCopyTest;

// Every file under `folder` with its size and modification time.
std::map<std::string, std::string> FilesUnder(const std::string& folder) {
  std::map<std::string, std::string> files;
  for (const auto& entry : std::filesystem::recursive_directory_iterator(folder)) {
    struct stat status {};
    lstat(entry.path().c_str(), &status);
    files[entry.path().string()] = std::to_string(status.st_size) + " " +
                                   std::to_string(status.st_mtim.tv_sec) + "." +
                                   std::to_string(status.st_mtim.tv_nsec);
  }
  return files;
}

TEST_F(InstallTest, TheDialogWritesOnlyTheUsersOwnFileAndTheNextRunPlaysIt) {
  testsupport::ChildProcess install(CMAKE_COMMAND_PATH,
                                    {"--install", BUILD_FOLDER, "--prefix", prefix_});
  ASSERT_EQ(install.WaitExit(kDeadlineMs), 0);
  const std::string programs = prefix_ + "/libexec/veyora";
  ASSERT_TRUE(std::filesystem::exists(programs + "/" + names::kRendererFile));

  // The system-wide default: no music, a file already named. The programs' folder
  // stays writable, as it is for the superuser.
  const std::string song = folder_.File("song.wav");
  ASSERT_TRUE(musictest::WriteWav(song, musictest::Tone(500, 0.25)));
  const std::string systemWide = folder_.File(std::string("xdg/veyora/") + names::kSettingsFile);
  std::filesystem::create_directories(folder_.File("xdg/veyora"));
  const std::string defaults =
      "[Section]\r\nBGM\x8B\xE6\x95\xAA= 0\r\nBGM\xCC\xA7\xB2\xD9=" + song + "\r\n";
  WriteBytes(systemWide, defaults);
  const auto installed = FilesUnder(prefix_);

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
  EXPECT_EQ(ReadBytes(systemWide), defaults);
  EXPECT_EQ(FilesUnder(prefix_), installed);

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

TEST_F(InstallTest, TheDebianPackageNamesItsMakersAndNeedsRunsAndPassesItsValidators) {
  const std::string arch = Tool("dpkg", {"--print-architecture"}).output;
  const std::string package = folder_.File("veyora-screensaver_" PROJECT_VERSION "_" +
                                           arch.substr(0, arch.find('\n')) + ".deb");
  const auto cpack =
      Tool(CPACK_COMMAND_PATH,
           {"-G", "DEB", "--config", BUILD_FOLDER "/CPackConfig.cmake", "-B", folder_.Path()});
  ASSERT_TRUE(std::filesystem::exists(package)) << cpack.output;

  // The fields: the makers, and what the programs need (the libraries found by
  // dpkg-shlibdeps, the dialog's Japanese font, the toolkit's Wayland platform,
  // xdg-open for its homepage button).
  const std::pair<const char*, std::string> fields[] = {
      {"Maintainer", VEYORA_MAINTAINER},      {"Homepage", VEYORA_HOMEPAGE},
      {"Depends", "libqt6widgets6"},          {"Depends", VEYORA_JAPANESE_FONT_PACKAGE},
      {"Depends", VEYORA_QT_WAYLAND_PACKAGE}, {"Recommends", "xdg-utils"},
  };
  for (const auto& [field, part] : fields) {
    const std::string value = Tool("dpkg-deb", {"-f", package, field}).output;
    EXPECT_NE(value.find(part), std::string::npos) << field << ": " << value;
  }
  Unpack(package);
  const std::string doc = prefix_ + "/share/doc/veyora-screensaver/";
  const std::string copyright = ReadBytes(doc + "copyright");
  EXPECT_NE(copyright.find("Files: *\nCopyright: 2026 Veyora developers\nLicense: GPL-2+\n"),
            std::string::npos)
      << copyright;
  EXPECT_NE(copyright.find("/usr/share/common-licenses/GPL-2"), std::string::npos);
  // No address in a domain kept for examples and tests.
  const std::regex reserved(R"([.@](example(\.(com|net|org))?|invalid|test|localhost)\b)");
  EXPECT_FALSE(std::regex_search(copyright, reserved)) << copyright;
  EXPECT_FALSE(std::regex_search(Tool("dpkg-deb", {"-f", package}).output, reserved));
  EXPECT_TRUE(std::filesystem::exists(doc + "changelog.gz"));

  ExpectTheProgramsRun();

  // The package and every desktop entry, manual page and metainfo file in it
  // through its validator: silent, but for lintian, which must only find no
  // error, and appstreamcli, which must find nothing but hints.
  std::vector<std::vector<std::string>> checks = {
      {"lintian", "--fail-on", "error", package},
      {"appstreamcli", "validate-tree", "--no-net", "--strict", folder_.File("root")}};
  for (const auto& entry : std::filesystem::recursive_directory_iterator(prefix_)) {
    const std::string file = entry.path().string();
    if (file.ends_with(".desktop")) checks.push_back({"desktop-file-validate", file});
    if (file.ends_with(".6.gz")) checks.push_back({"mandoc", "-Tlint", file});
    if (file.ends_with(".metainfo.xml")) {
      checks.push_back({"appstreamcli", "validate", "--no-net", "--strict", file});
    }
  }
  EXPECT_GE(checks.size(), 7u);
  std::string missing;
  for (const std::vector<std::string>& check : checks) {
    if (!std::filesystem::exists("/usr/bin/" + check[0])) {
      missing += " " + check[0];
      continue;
    }
    const auto result = Tool(check[0], {check.begin() + 1, check.end()});
    const bool mayTalk = check[0] == "lintian" || check[0] == "appstreamcli";
    EXPECT_TRUE(result.status == 0 && (mayTalk || result.output.empty())) << check.back() << "\n"
                                                                          << result.output;
  }
  if (!missing.empty()) GTEST_SKIP() << "not installed, so NOT run:" << missing;
}

}  // namespace

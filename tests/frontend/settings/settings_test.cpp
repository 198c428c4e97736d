#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>

#include "frontend/settings/profile_access.h"
#include "frontend/settings/settings.h"
#include "frontend/settings/settings_location.h"
#include "platform/shared_names.h"
#include "tests/support/temporary_folder.h"

using namespace veyora::frontend;

// How a failed comparison shows the settings.
void PrintTo(const Settings& settings, std::ostream* out) {
  *out << "mode " << settings.BGM_Mode << ", track " << settings.BGM_Track << ", file '"
       << settings.BGM_File << "'";
}

namespace {

using testsupport::ReadBytes;
using testsupport::TemporaryFolder;
using testsupport::WriteBytes;

Settings LoadFromBytes(const std::string& bytes) {
  TemporaryFolder folder;
  const std::string path = folder.File(names::kSettingsFile);
  WriteBytes(path, bytes);
  return Settings_Load(path);
}

// A file with these three values, keys in CP932.
std::string SettingsBytes(const std::string& mode, const std::string& track,
                          const std::string& file) {
  return "[Section]\r\nBGM\x8B\xE6\x95\xAA=" + mode + "\r\nBGM\xD8\xCB\xDF\xB0\xC4=" + track +
         "\r\nBGM\xCC\xA7\xB2\xD9=" + file + "\r\n";
}

}  // namespace

TEST(SettingsLoad, NumbersTakeTheirWholePartOrStayAtZero) {
  struct Case {
    std::string mode, track;
    int16_t loadedMode, loadedTrack;
  };
  for (const Case& c : std::vector<Case>{{"2.9", "3", 0, 3},  // mode 2 without a file is 0
                                         {"1", "2.9", 1, 2},
                                         {"-1.5", "-1.5", -2, -2},
                                         {"abc", "abc", 0, 0},
                                         {"70000", "1e999", 0, 0},
                                         {"32767.9", "-32768", 32767, -32768},
                                         {"-32768.5", "", 0, 0},
                                         {" 1", "&H1F", 1, 31},
                                         {"3", "", 3, 0}}) {  // mode 3 is taken as stored
    EXPECT_EQ(LoadFromBytes(SettingsBytes(c.mode, c.track, "")),
              (Settings{c.loadedMode, c.loadedTrack, ""}))
        << c.mode << " / " << c.track;
  }
}

TEST(SettingsLoad, FilePlaybackNeedsAFileThatOpens) {
  TemporaryFolder folder;
  const std::string song = folder.File("曲 é.mp3");
  WriteBytes(song, "ID3");
  // A path CP932 cannot hold is stored in the marked UTF-8 form.
  EXPECT_EQ(LoadFromBytes(SettingsBytes(" 2", " 0", "\xEF\xBB\xBF" + song)),
            (Settings{2, 0, song}));
  EXPECT_EQ(LoadFromBytes(SettingsBytes(" 2", " 0", "\xEF\xBB\xBF" + song + "/")),
            (Settings{2, 0, song + "/"}));
  for (const std::string& gone : {folder.File("missing.mp3"), folder.Path()}) {
    EXPECT_EQ(LoadFromBytes(SettingsBytes(" 2", " 4", gone)), (Settings{0, 4, ""})) << gone;
  }
  // The CD mode keeps without a file, and a missing file does not touch it.
  EXPECT_EQ(LoadFromBytes(SettingsBytes(" 1", " 5", folder.File("missing.mp3"))),
            (Settings{1, 5, ""}));
  // Written by hand in UTF-8, with quotes around a path holding blanks.
  const std::string spaced = folder.File("a b.mp3");
  WriteBytes(spaced, "ID3");
  EXPECT_EQ(LoadFromBytes("\xEF\xBB\xBF[Section]\nBGM区分=2\nBGMﾌｧｲﾙ=\"" + spaced + "\"\n"),
            (Settings{2, 0, spaced}));
}

TEST(SettingsLoad, MissingOrBadFilesGiveTheDefaults) {
  TemporaryFolder folder;
  for (const std::string& path :
       {folder.File("missing.ini"), folder.File("gone/x.ini"), folder.Path(), std::string()}) {
    EXPECT_EQ(Settings_Load(path), Settings{}) << path;
  }
  for (const std::string& bytes :
       {std::string(), std::string("\0\x01\xFF\xFE[Section]\0BGM", 17),
        "[Section]\nBGM\x8B\xE6\x95\xAA=" + std::string(1 << 20, '1'),
        // Keys typed in UTF-8 into a file that is no UTF-8 are other keys.
        std::string("[Section]\nBGM区分=1\nx=\xFF\n")}) {
    EXPECT_EQ(LoadFromBytes(bytes), Settings{});
  }
  // Duplicates: the first section and key count; no final line end.
  EXPECT_EQ(LoadFromBytes("[Section]\nBGM\x8B\xE6\x95\xAA=1\nBGM\x8B\xE6\x95\xAA=0\n"
                          "[Section]\nBGM\xD8\xCB\xDF\xB0\xC4=6"),
            (Settings{1, 6, ""}));
}

TEST(SettingsLoad, AFileOfLineBreaksCostsOneReadingOfIt) {
  // 16 MiB of line ends before the settings: read once, line by line.
  const std::string file = "[Section]" + std::string(kLargestSettingsFile - 200, '\n') +
                           SettingsBytes(" 1", " 2", "").substr(9);
  EXPECT_EQ(LoadFromBytes(file), (Settings{1, 2, ""}));
  EXPECT_EQ(LoadFromBytes(file + std::string(200, '\n')), Settings{});
}

TEST(SettingsWrite, WritesTheThreeKeysInOrderWithNumbersInTheLeadingSpaceForm) {
  TemporaryFolder folder;
  const std::string path = folder.File(names::kSettingsFile);
  ASSERT_TRUE(WriteSettings(Settings{1, 3, ""}, path));
  EXPECT_EQ(ReadBytes(path),
            "[Section]\r\n"
            "BGM\x8B\xE6\x95\xAA= 1\r\n"
            "BGM\xD8\xCB\xDF\xB0\xC4= 3\r\n"
            "BGM\xCC\xA7\xB2\xD9=\r\n");
  EXPECT_EQ(Settings_Load(path), (Settings{1, 3, ""}));
  ASSERT_TRUE(WriteSettings(Settings{-2, 0, ""}, path));
  EXPECT_EQ(Settings_Load(path), (Settings{-2, 0, ""}));
}

TEST(ChooseSettingsFiles, PortableCopiesKeepTheFileBesideThemInstalledOnesInTheUsersFolder) {
  const std::string file = names::kSettingsFile;
  const std::string beside = "/opt/v/" + file;
  const std::string own = "/home/u/.config/veyora/" + file;
  const std::string site = "/site/veyora/" + file;
  const std::string etc = "/etc/xdg/veyora/" + file;
  struct Case {
    bool installed;
    bool writable;
    std::vector<std::string> existing;
    SettingsFiles expected;
  };
  const Case cases[] = {
      // Portable: beside the programs while their folder is writable, whatever else exists.
      {false, true, {own, etc}, {beside, beside}},
      // Portable in a read-only folder: the user's own, read beside the programs until it exists.
      {false, false, {etc}, {beside, own}},
      {false, false, {own}, {own, own}},
      // Installed, writable folder or not (the superuser's): never written beside the programs.
      {true, true, {}, {beside, own}},
      {true, true, {beside}, {beside, own}},
      {true, false, {own, site, etc}, {own, own}},
      // The first system-wide default of the configuration folders, then the one beside them.
      {true, false, {site, etc, beside}, {site, own}},
      {true, true, {etc, beside}, {etc, own}},
  };
  for (const Case& c : cases) {
    const SettingsPlaces places{
        "/opt/v", c.installed, c.writable, "/home/u/.config", {"/site", "/etc/xdg"}};
    const auto exists = [&](const std::string& path) {
      return std::find(c.existing.begin(), c.existing.end(), path) != c.existing.end();
    };
    EXPECT_EQ(ChooseSettingsFiles(places, exists), c.expected)
        << "installed " << c.installed << ", writable " << c.writable << ", files "
        << c.existing.size();
  }
}

TEST(SystemConfigFolders, TheAbsoluteFoldersOfTheListInOrderElseEtcXdg) {
  using Folders = std::vector<std::string>;
  EXPECT_EQ(SystemConfigFolders(nullptr), Folders{"/etc/xdg"});
  EXPECT_EQ(SystemConfigFolders(""), Folders{"/etc/xdg"});
  EXPECT_EQ(SystemConfigFolders("relative::"), Folders{"/etc/xdg"});
  EXPECT_EQ(SystemConfigFolders("/site:here:/etc/xdg"), (Folders{"/site", "/etc/xdg"}));
}

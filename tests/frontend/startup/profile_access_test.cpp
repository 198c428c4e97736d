#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>

#include "frontend/startup/profile_access.h"
#include "frontend/startup/settings_file.h"
#include "platform/shared_names.h"
#include "tests/frontend/startup/temporary_folder.h"

namespace {

const std::string kData = STARTUP_TEST_DATA;

std::string Fixture(const std::string& name) { return ReadBytes(kData + "/" + name); }

}  // namespace

TEST(IniAccess, LoadsAFileMadeOnWindowsUnchanged) {
  const std::string path = kData + "/windows_made.ini";
  EXPECT_EQ(INI_Read(kSettingsSection, kModeKey, path), "2");
  EXPECT_EQ(INI_Read(kSettingsSection, kTrackKey, path), "3");
  EXPECT_EQ(INI_Read(kSettingsSection, kFileKey, path), "C:\\音楽\\曲ソ表.mp3");
  EXPECT_EQ(INI_Read("Other", kModeKey, path), "9");
  EXPECT_EQ(INI_Read("section", "bgm区分", path), "2");
}

TEST(IniAccess, WritingKeepsEveryOtherLineByteForByte) {
  TemporaryFolder folder;
  const std::string path = folder.File(names::kSettingsFile);
  WriteBytes(path, Fixture("windows_made.ini"));
  INI_Write(kSettingsSection, kTrackKey, Number_Text(5), path);
  INI_Write(kSettingsSection, kFileKey, "/home/ユーザー/曲.mp3", path);
  INI_Write(kSettingsSection, "Added", "ｱ", path);
  EXPECT_EQ(ReadBytes(path), Fixture("windows_made_rewritten.ini"));
  // Nothing is left beside the file.
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder.Path()),
                          std::filesystem::directory_iterator()),
            1);
}

TEST(IniAccess, CreatesTheFileWithNumbersInTheLeadingSpaceForm) {
  TemporaryFolder folder;
  const std::string path = folder.File(names::kSettingsFile);
  INI_Write(kSettingsSection, kModeKey, Number_Text(1), path);
  INI_Write(kSettingsSection, kTrackKey, Number_Text(3), path);
  INI_Write(kSettingsSection, kFileKey, "", path);
  EXPECT_EQ(ReadBytes(path),
            "[Section]\r\n"
            "BGM\x8B\xE6\x95\xAA= 1\r\n"
            "BGM\xD8\xCB\xDF\xB0\xC4= 3\r\n"
            "BGM\xCC\xA7\xB2\xD9=\r\n");
  EXPECT_EQ(INI_Read(kSettingsSection, kModeKey, path), "1");
  EXPECT_EQ(INI_Read(kSettingsSection, kTrackKey, path), "3");
  EXPECT_EQ(Number_Text(-2), "-2");
  EXPECT_EQ(Number_Text(0), " 0");
}

TEST(IniAccess, LongValuesComeBackWhole) {
  TemporaryFolder folder;
  const std::string path = folder.File("settings.ini");
  const std::string longPath = "/music/" + std::string(300, 'a') + "/" + std::string(200, 'b') + ".mp3";
  INI_Write(kSettingsSection, kFileKey, longPath, path);
  EXPECT_EQ(INI_Read(kSettingsSection, kFileKey, path), longPath);
}

TEST(IniAccess, TextsCp932CannotHoldRoundTripWhileNamesStayCp932) {
  TemporaryFolder folder;
  const std::string path = folder.File("settings.ini");
  const std::string accented = "/home/zoë/Musique/été 🎵.mp3";
  INI_Write(kSettingsSection, kFileKey, accented, path);
  EXPECT_EQ(INI_Read(kSettingsSection, kFileKey, path), accented);
  EXPECT_EQ(ReadBytes(path), "[Section]\r\nBGM\xCC\xA7\xB2\xD9=\xEF\xBB\xBF" + accented + "\r\n");

  // The bytes of "é" in UTF-8 are CP932 text too ("ﾃｩ"); both come back as written.
  for (const std::string& text : {std::string("é"), std::string("ﾃｩ"), std::string("\xEF\xBB\xBF"),
                                  std::string("a\xFF\xFE"), std::string("曲.mp3")}) {
    INI_Write(kSettingsSection, kFileKey, text, path);
    EXPECT_EQ(INI_Read(kSettingsSection, kFileKey, path), text);
  }
  INI_Write(kSettingsSection, kFileKey, "曲.mp3", path);
  EXPECT_EQ(ReadBytes(path), "[Section]\r\nBGM\xCC\xA7\xB2\xD9=\x8B\xC8.mp3\r\n");
}

TEST(IniAccess, AValueThatIsNoCp932IsReadAsItsBytes) {
  TemporaryFolder folder;
  const std::string path = folder.File("settings.ini");
  // "ｱ" typed in UTF-8 (EF BD B1) is no CP932; most UTF-8 text would be.
  WriteBytes(path, "[Section]\nBGM\xCC\xA7\xB2\xD9=/m/\xEF\xBD\xB1.mp3\nx=\xFF\x80\n");
  EXPECT_EQ(INI_Read(kSettingsSection, kFileKey, path), "/m/ｱ.mp3");
  EXPECT_EQ(INI_Read(kSettingsSection, "x", path), "\xFF\x80");
}

TEST(IniAccess, MissingOrUnusableFilesAreReadAsEmptyAndNeverClobbered) {
  TemporaryFolder folder;
  EXPECT_EQ(INI_Read(kSettingsSection, kModeKey, folder.File("none.ini")), "");
  EXPECT_EQ(INI_Read(kSettingsSection, kModeKey, ""), "");

  // A missing folder: nothing is created.
  const std::string inMissingFolder = folder.File("gone/settings.ini");
  INI_Write(kSettingsSection, kModeKey, " 1", inMissingFolder);
  EXPECT_FALSE(std::filesystem::exists(inMissingFolder));

  // A folder where the file should be is left alone.
  const std::string folderPath = folder.File("dir.ini");
  std::filesystem::create_directory(folderPath);
  INI_Write(kSettingsSection, kModeKey, " 1", folderPath);
  EXPECT_TRUE(std::filesystem::is_directory(folderPath));
  EXPECT_EQ(INI_Read(kSettingsSection, kModeKey, folderPath), "");

  // Texts that cannot be stored in a line leave the file as it was.
  const std::string path = folder.File("settings.ini");
  WriteBytes(path, "[Section]\nk=1\n");
  INI_Write(kSettingsSection, "k", "2\n[Section]\nk=3", path);
  INI_Write("Sect🎵ion", "k", "2", path);
  EXPECT_EQ(ReadBytes(path), "[Section]\nk=1\n");
}

TEST(IniAccess, ReplacingTheFileKeepsItsPermissionsAndLinks) {
  TemporaryFolder folder;
  const std::string real = folder.File("real.ini");
  const std::string link = folder.File(names::kSettingsFile);
  WriteBytes(real, "[Section]\n");
  chmod(real.c_str(), 0640);
  std::filesystem::create_symlink(real, link);
  INI_Write(kSettingsSection, "k", "v", link);
  EXPECT_TRUE(std::filesystem::is_symlink(link));
  EXPECT_EQ(ReadBytes(real), "[Section]\nk=v\n");
  struct stat status {};
  ASSERT_EQ(stat(real.c_str(), &status), 0);
  EXPECT_EQ(status.st_mode & 0777, 0640u);
}

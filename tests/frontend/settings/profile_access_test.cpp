#include <gtest/gtest.h>
#include <sys/stat.h>

#include <array>
#include <filesystem>

#include "frontend/settings/profile_access.h"
#include "frontend/settings/settings.h"
#include "platform/shared_names.h"
#include "tests/support/temporary_folder.h"

using namespace veyora::frontend;

namespace {

using testsupport::ReadBytes;
using testsupport::TemporaryFolder;
using testsupport::WriteBytes;

const std::string kData = SETTINGS_TEST_DATA;

std::string Read(const std::string& key, const std::string& path,
                 const std::string& section = kSettingsSection) {
  const std::array<std::string, 1> keys = {key};
  const std::optional<std::vector<std::string>> values = INI_Read(section, keys, path);
  return values ? (*values)[0] : "<unreadable>";
}

bool Write(const std::string& key, const std::string& value, const std::string& path,
           const std::string& section = kSettingsSection) {
  const std::array<ProfileEntry, 1> entries = {ProfileEntry{key, value}};
  return INI_Write(section, entries, path);
}

}  // namespace

TEST(IniAccess, AFileMadeOnWindowsLoadsAndIsRewrittenKeepingEveryOtherByte) {
  const std::string original = kData + "/windows_made.ini";
  EXPECT_EQ(Read(kModeKey, original), "2");
  EXPECT_EQ(Read(kTrackKey, original), "3");
  EXPECT_EQ(Read(kFileKey, original), "C:\\音楽\\曲ソ表.mp3");
  EXPECT_EQ(Read(kModeKey, original, "Other"), "9");
  EXPECT_EQ(Read("bgm区分", original, "section"), "2");

  TemporaryFolder folder;
  const std::string path = folder.File(names::kSettingsFile);
  WriteBytes(path, ReadBytes(original));
  EXPECT_TRUE(Write(kTrackKey, FormatSettingNumber(5), path));
  EXPECT_TRUE(Write(kFileKey, "/home/ユーザー/曲.mp3", path));
  EXPECT_TRUE(Write("Added", "ｱ", path));
  EXPECT_EQ(ReadBytes(path), ReadBytes(kData + "/windows_made_rewritten.ini"));
  // Nothing is left beside the file.
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder.Path()),
                          std::filesystem::directory_iterator()),
            1);
}

TEST(IniAccess, TextsRoundTripWhateverCp932CanHold) {
  TemporaryFolder folder;
  const std::string path = folder.File("settings.ini");
  const std::string accented = "/home/zoë/Musique/été 🎵.mp3";
  ASSERT_TRUE(Write(kFileKey, accented, path));
  EXPECT_EQ(ReadBytes(path), "[Section]\r\nBGM\xCC\xA7\xB2\xD9=\xEF\xBB\xBF" + accented + "\r\n");
  // The bytes of "é" in UTF-8 are CP932 text too ("ﾃｩ"); both come back as written,
  // as do long values, quotes and bytes that are no text.
  for (const std::string& text :
       {accented, std::string("é"), std::string("ﾃｩ"), std::string("\xEF\xBB\xBF"),
        std::string("a\xFF\xFE"), std::string("\"/m/q.mp3\""),
        "/music/" + std::string(300, 'a') + ".mp3", std::string("曲.mp3")}) {
    ASSERT_TRUE(Write(kFileKey, text, path));
    EXPECT_EQ(Read(kFileKey, path), text);
  }
  EXPECT_EQ(ReadBytes(path), "[Section]\r\nBGM\xCC\xA7\xB2\xD9=\x8B\xC8.mp3\r\n");
  // "ｱ" typed in UTF-8 (EF BD B1) into a CP932 file is no CP932: read as its bytes.
  WriteBytes(path, "[Section]\n" + std::string("BGM\xCC\xA7\xB2\xD9") + "=/m/\xEF\xBD\xB1.mp3\n");
  EXPECT_EQ(Read(kFileKey, path), "/m/ｱ.mp3");
}

TEST(IniAccess, AFileSavedAsUtf8IsReadAndWrittenAsUtf8) {
  TemporaryFolder folder;
  const std::string path = folder.File("settings.ini");
  for (const std::string& mark : {std::string("\xEF\xBB\xBF"), std::string()}) {
    WriteBytes(path, mark + "[Section]\nBGM区分=2\nBGMﾌｧｲﾙ=/m/été.mp3\n");
    EXPECT_EQ(Read(kModeKey, path), "2");
    EXPECT_EQ(Read(kFileKey, path), "/m/été.mp3");
    ASSERT_TRUE(Write(kTrackKey, " 4", path));
    EXPECT_EQ(ReadBytes(path), mark + "[Section]\nBGM区分=2\nBGMﾌｧｲﾙ=/m/été.mp3\nBGMﾘﾋﾟｰﾄ= 4\n");
  }
  // A value that is no UTF-8 marks the file, so it stays UTF-8.
  ASSERT_TRUE(Write(kFileKey, "/m/\xFF.mp3", path));
  EXPECT_EQ(ReadBytes(path).substr(0, 3), "\xEF\xBB\xBF");
  EXPECT_EQ(Read(kFileKey, path), "/m/\xFF.mp3");
  EXPECT_EQ(Read(kModeKey, path), "2");
}

TEST(IniAccess, FilesThatCannotBeUsedAreNeverClobbered) {
  TemporaryFolder folder;
  EXPECT_EQ(Read(kModeKey, folder.File("none.ini")), "");
  EXPECT_EQ(Read(kModeKey, ""), "<unreadable>");

  // A missing folder: nothing is created.
  const std::string inMissingFolder = folder.File("gone/settings.ini");
  EXPECT_FALSE(Write(kModeKey, " 1", inMissingFolder));
  EXPECT_FALSE(std::filesystem::exists(inMissingFolder));

  // A folder where the file should be is left alone.
  const std::string folderPath = folder.File("dir.ini");
  std::filesystem::create_directory(folderPath);
  EXPECT_FALSE(Write(kModeKey, " 1", folderPath));
  EXPECT_TRUE(std::filesystem::is_directory(folderPath));
  EXPECT_EQ(Read(kModeKey, folderPath), "<unreadable>");

  // Texts that cannot be stored in a line, and a file made read-only, stay as they were.
  const std::string path = folder.File("settings.ini");
  WriteBytes(path, "[Section]\nk=1\n");
  EXPECT_FALSE(Write("k", "2\n[Section]\nk=3", path));
  EXPECT_FALSE(Write("k", "2", path, "Sect🎵ion"));
  chmod(path.c_str(), 0444);
  EXPECT_FALSE(Write("k", "2", path));
  EXPECT_EQ(ReadBytes(path), "[Section]\nk=1\n");
}

TEST(IniAccess, ReplacingTheFileKeepsItsPermissionsAndLinks) {
  TemporaryFolder folder;
  const std::string real = folder.File("real.ini");
  const std::string link = folder.File(names::kSettingsFile);
  WriteBytes(real, "[Section]\n");
  chmod(real.c_str(), 0640);
  std::filesystem::create_symlink(real, link);
  EXPECT_TRUE(Write("k", "v", link));
  EXPECT_TRUE(std::filesystem::is_symlink(link));
  EXPECT_EQ(ReadBytes(real), "[Section]\nk=v\n");
  struct stat status {};
  ASSERT_EQ(stat(real.c_str(), &status), 0);
  EXPECT_EQ(status.st_mode & 0777, 0640u);
}

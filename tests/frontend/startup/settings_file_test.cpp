#include <gtest/gtest.h>

#include <filesystem>

#include "frontend/startup/settings.h"
#include "frontend/startup/settings_file.h"
#include "platform/shared_names.h"
#include "tests/frontend/startup/temporary_folder.h"

namespace {

// Settings loaded at program start from a file with these three values (CP932 bytes).
struct Loaded {
  int mode;
  int track;
  std::string file;
  bool operator==(const Loaded&) const = default;
};

std::ostream& operator<<(std::ostream& out, const Loaded& loaded) {
  return out << "mode " << loaded.mode << ", track " << loaded.track << ", file '" << loaded.file
             << "'";
}

Loaded LoadFromFile(const std::string& path) {
  BGM_Mode = 0;
  BGM_Track = 0;
  BGM_File.clear();
  Settings_LoadFrom(path);
  return {BGM_Mode, BGM_Track, BGM_File};
}

Loaded LoadFromBytes(const std::string& bytes) {
  TemporaryFolder folder;
  const std::string path = folder.File(names::kSettingsFile);
  WriteBytes(path, bytes);
  return LoadFromFile(path);
}

std::string SettingsBytes(const std::string& mode, const std::string& track,
                          const std::string& file) {
  return "[Section]\r\nBGM\x8B\xE6\x95\xAA=" + mode + "\r\nBGM\xD8\xCB\xDF\xB0\xC4=" + track +
         "\r\nBGM\xCC\xA7\xB2\xD9=" + file + "\r\n";
}

}  // namespace

TEST(SettingsLoad, NumbersTakeTheirWholePartOrStayAtTheStartValue) {
  EXPECT_EQ(LoadFromBytes(SettingsBytes("2.9", "3", "")).track, 3);
  EXPECT_EQ(LoadFromBytes(SettingsBytes("1", "2.9", "")), (Loaded{1, 2, ""}));
  EXPECT_EQ(LoadFromBytes(SettingsBytes("-1.5", "-1.5", "")), (Loaded{-2, -2, ""}));
  EXPECT_EQ(LoadFromBytes(SettingsBytes("abc", "abc", "")), (Loaded{0, 0, ""}));
  EXPECT_EQ(LoadFromBytes(SettingsBytes("70000", "70000", "")), (Loaded{0, 0, ""}));
  EXPECT_EQ(LoadFromBytes(SettingsBytes("32767.9", "-32768", "")), (Loaded{32767, -32768, ""}));
  EXPECT_EQ(LoadFromBytes(SettingsBytes("-32768.5", "1e999", "")), (Loaded{0, 0, ""}));
  EXPECT_EQ(LoadFromBytes(SettingsBytes(" 1", "&H1F", "")), (Loaded{1, 31, ""}));
  // Mode 3 is taken as stored.
  EXPECT_EQ(LoadFromBytes(SettingsBytes("3", "", "")), (Loaded{3, 0, ""}));
}

TEST(SettingsLoad, AFailedNumberKeepsTheValueItHad) {
  TemporaryFolder folder;
  const std::string path = folder.File(names::kSettingsFile);
  WriteBytes(path, SettingsBytes("abc", "x", ""));
  BGM_Mode = 1;
  BGM_Track = 7;
  Settings_LoadFrom(path);
  EXPECT_EQ(BGM_Mode, 1);
  EXPECT_EQ(BGM_Track, 7);
}

TEST(SettingsLoad, FilePlaybackNeedsAFileThatOpens) {
  TemporaryFolder folder;
  const std::string song = folder.File("曲 é.mp3");
  WriteBytes(song, "ID3");
  TemporaryFolder settings;
  const std::string path = settings.File(names::kSettingsFile);
  // The path is not CP932, so it is stored in the marked UTF-8 form.
  WriteBytes(path, SettingsBytes(" 2", " 0", "\xEF\xBB\xBF" + song));
  EXPECT_EQ(LoadFromFile(path), (Loaded{2, 0, song}));

  WriteBytes(path, SettingsBytes(" 2", " 0", "\xEF\xBB\xBF" + song + "/"));
  EXPECT_EQ(LoadFromFile(path), (Loaded{2, 0, song + "/"}));

  for (const std::string& gone : {folder.File("missing.mp3"), folder.Path()}) {
    WriteBytes(path, SettingsBytes(" 2", " 4", gone));
    EXPECT_EQ(LoadFromFile(path), (Loaded{0, 4, ""})) << gone;
  }
  WriteBytes(path, SettingsBytes(" 2", " 0", ""));
  EXPECT_EQ(LoadFromFile(path), (Loaded{0, 0, ""}));
  // The CD mode keeps without a file, and a missing file does not touch it.
  WriteBytes(path, SettingsBytes(" 1", " 0", ""));
  EXPECT_EQ(LoadFromFile(path), (Loaded{1, 0, ""}));
  WriteBytes(path, SettingsBytes(" 1", " 5", folder.File("missing.mp3")));
  EXPECT_EQ(LoadFromFile(path), (Loaded{1, 5, ""}));
}

TEST(SettingsLoad, MissingOrBadFilesGiveTheDefaults) {
  TemporaryFolder folder;
  EXPECT_EQ(LoadFromFile(folder.File("missing.ini")), (Loaded{0, 0, ""}));
  EXPECT_EQ(LoadFromFile(folder.File(std::string("missing-folder/") + names::kSettingsFile)), (Loaded{0, 0, ""}));
  EXPECT_EQ(LoadFromFile(folder.Path()), (Loaded{0, 0, ""}));
  EXPECT_EQ(LoadFromFile(""), (Loaded{0, 0, ""}));
  EXPECT_EQ(LoadFromBytes(""), (Loaded{0, 0, ""}));
  EXPECT_EQ(LoadFromBytes(std::string("\0\x01\xFF\xFE[Section]\0BGM", 17)), (Loaded{0, 0, ""}));
  EXPECT_EQ(LoadFromBytes(std::string(1 << 20, '\n') + SettingsBytes(" 1", " 2", "")),
            (Loaded{1, 2, ""}));
  EXPECT_EQ(LoadFromBytes("[Section]\nBGM\x8B\xE6\x95\xAA=" + std::string(1 << 20, '1')),
            (Loaded{0, 0, ""}));
  // Duplicates: the first section and key count; no final line end.
  EXPECT_EQ(LoadFromBytes("[Section]\nBGM\x8B\xE6\x95\xAA=1\nBGM\x8B\xE6\x95\xAA=0\n"
                          "[Section]\nBGM\xD8\xCB\xDF\xB0\xC4=6"),
            (Loaded{1, 6, ""}));
  // Keys typed in UTF-8 are other keys.
  EXPECT_EQ(LoadFromBytes("[Section]\nBGM区分=1\n"), (Loaded{0, 0, ""}));
}

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>

#include "frontend/startup/file_exists.h"
#include "tests/frontend/startup/temporary_folder.h"

TEST(FileExists, TrueOnlyForAFileThatOpensForReading) {
  TemporaryFolder folder;
  const std::string file = folder.File("song (1).mp3");
  WriteBytes(file, "x");
  EXPECT_TRUE(File_Exists(file));
  // One trailing "/" is dropped before the test.
  EXPECT_TRUE(File_Exists(file + "/"));
  EXPECT_FALSE(File_Exists(file + "//"));
  EXPECT_FALSE(File_Exists(folder.File("missing.mp3")));
  EXPECT_FALSE(File_Exists(folder.Path()));
  EXPECT_FALSE(File_Exists(folder.Path() + "/"));
  EXPECT_FALSE(File_Exists(""));
  EXPECT_FALSE(File_Exists("/"));
  EXPECT_FALSE(File_Exists(file + std::string(1, '\0') + "x"));
}

TEST(FileExists, ANamedPipeIsNoFileAndDoesNotBlock) {
  TemporaryFolder folder;
  const std::string pipe = folder.File("pipe");
  ASSERT_EQ(mkfifo(pipe.c_str(), 0600), 0);
  EXPECT_FALSE(File_Exists(pipe));
}

#include <gtest/gtest.h>
#include <sys/stat.h>

#include "frontend/system/file_exists.h"
#include "tests/support/temporary_folder.h"

TEST(FileExists, TrueOnlyForARegularFileThatOpensForReading) {
  testsupport::TemporaryFolder folder;
  const std::string file = folder.File("song (1).mp3");
  testsupport::WriteBytes(file, "x");
  EXPECT_TRUE(veyora::frontend::File_Exists(file));
  // One trailing "/" is dropped before the test.
  EXPECT_TRUE(veyora::frontend::File_Exists(file + "/"));
  const std::string pipe = folder.File("pipe");
  ASSERT_EQ(mkfifo(pipe.c_str(), 0600), 0);
  // A named pipe is no file, and testing it does not block.
  for (const std::string& path :
       {file + "//", folder.File("missing.mp3"), folder.Path(), folder.Path() + "/", std::string(),
        std::string("/"), file + std::string(1, '\0') + "x", pipe}) {
    EXPECT_FALSE(veyora::frontend::File_Exists(path)) << path;
  }
}

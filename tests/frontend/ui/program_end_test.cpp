#include <gtest/gtest.h>

#include <stdlib.h>

#include <filesystem>
#include <fstream>
#include <iterator>

#include "tests/support/child_process.h"

TEST(EndProgram, EndsAtOnceWithStatusZeroRunningNoHandlersButKeepingWrittenData) {
  std::string folder = (std::filesystem::temp_directory_path() / "veyora-end-XXXXXX").string();
  ASSERT_NE(mkdtemp(folder.data()), nullptr);
  testsupport::ChildProcess probe(END_PROGRAM_PROBE, {folder}, {{"QT_QPA_PLATFORM", "offscreen"}});
  EXPECT_EQ(probe.WaitExit(20000), 0);
  for (const char* mark : {"query-unload", "unload", "destructor"}) {
    EXPECT_FALSE(std::filesystem::exists(folder + "/" + mark)) << mark;
  }
  std::ifstream written(folder + "/written");
  EXPECT_EQ(std::string(std::istreambuf_iterator<char>(written), {}), "buffered line\n");
  std::filesystem::remove_all(folder);
}

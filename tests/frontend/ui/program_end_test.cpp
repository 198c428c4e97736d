#include <gtest/gtest.h>

#include <filesystem>

#include "tests/support/child_process.h"
#include "tests/support/temporary_folder.h"

TEST(EndProgram, EndsAtOnceWithStatusZeroRunningNoHandlersButKeepingWrittenData) {
  testsupport::TemporaryFolder folder;
  testsupport::ChildProcess probe(END_PROGRAM_PROBE, {folder.Path()},
                                  {{"QT_QPA_PLATFORM", "offscreen"}});
  EXPECT_EQ(probe.WaitExit(60000), 0);
  for (const char* mark : {"query-unload", "unload", "destructor"}) {
    EXPECT_FALSE(std::filesystem::exists(folder.File(mark))) << mark;
  }
  EXPECT_EQ(testsupport::ReadBytes(folder.File("written")), "buffered line\n");
}

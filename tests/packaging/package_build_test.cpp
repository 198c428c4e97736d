// The package as scripts/package.sh builds it for a distribution, twice, in two
// build folders: the same bytes both times; lintian finds no error or warning,
// none about hardening among them; and the programs built with the
// distribution's flags run.
#include "tests/packaging/installed_copy_test.h"

#include <string>

namespace {

using packagingtest::Tool;

using PackageBuildTest = packagingtest::InstalledCopyTest;

// The path of the package the script built, from the last line it printed.
std::string BuiltPackage(const std::string& output) {
  const std::string lines = output.substr(0, output.find_last_not_of('\n') + 1);
  return lines.substr(lines.find_last_of('\n') + 1);
}

TEST_F(PackageBuildTest, TwoBuildsGiveTheSameHardenedPackageWhoseProgramsRun) {
  constexpr int kBuildDeadlineMs = 1500000;
  const auto first = Tool("/bin/bash", {SOURCE_FOLDER "/scripts/package.sh", folder_.File("one")},
                          kBuildDeadlineMs);
  ASSERT_EQ(first.status, 0) << first.output;
  const auto second = Tool("/bin/bash", {SOURCE_FOLDER "/scripts/package.sh", folder_.File("two")},
                           kBuildDeadlineMs);
  ASSERT_EQ(second.status, 0) << second.output;
  const std::string package = BuiltPackage(first.output);
  ASSERT_TRUE(package.ends_with(".deb")) << first.output;
  EXPECT_EQ(Tool("cmp", {package, BuiltPackage(second.output)}).output, "");

  const auto lint = Tool("lintian", {"--pedantic", "--fail-on", "error,warning", package});
  EXPECT_EQ(lint.status, 0) << lint.output;
  EXPECT_EQ(lint.output.find("hardening"), std::string::npos) << lint.output;

  Unpack(package);
  ExpectTheProgramsRun();
}

}  // namespace

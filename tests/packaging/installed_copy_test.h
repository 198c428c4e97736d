#pragma once

// A test of the programs as installed: under a prefix that `cmake --install` or
// an unpacked Debian package laid out, started through the launcher on a
// private X server, with the user's and the system's configuration folders in
// the test's own folder.
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "tests/support/captured_run.h"
#include "tests/support/child_process.h"
#include "tests/support/private_display_test.h"
#include "tests/support/temporary_folder.h"

namespace packagingtest {

inline constexpr int kDeadlineMs = 60000;

// A tool run to its end, what it says on standard error included.
testsupport::CapturedRun Tool(const std::string& program, const std::vector<std::string>& args,
                              int timeoutMs = 300000);

class InstalledCopyTest : public testsupport::PrivateDisplayTest {
 protected:
  InstalledCopyTest() : PrivateDisplayTest(800, 600) {}

  // The launcher under the prefix, started with these switches.
  std::unique_ptr<testsupport::ChildProcess> Run(const std::vector<std::string>& args);
  // The Debian package unpacked into the test's folder, which becomes the prefix.
  void Unpack(const std::string& package);
  // The launcher's help and version without a display, the front end's renderer
  // check (/a), and a screensaver run that ends on SIGTERM.
  void ExpectTheProgramsRun();

  testsupport::TemporaryFolder folder_;
  std::string prefix_ = folder_.File("prefix");
};

}  // namespace packagingtest

#pragma once

#include <map>
#include <memory>
#include <string>
#include <vector>

#include "tests/frontend/saver/saver_session.h"
#include "tests/support/logind_stand_in.h"
#include "tests/support/private_bus.h"

namespace savertest {

// A saver session whose programs live in a logind session: a system bus of the
// test's own with a logind stand-in holding session "c1" of this account, and a
// session bus of its own, as an X11 desktop without a locker service has them.
// The programs' standard error goes to files in the folder.
class LogindSaverSession : public SaverSession {
 protected:
  void SetUp() override;

  // The environment of SaverSession with both buses and the session's id.
  std::map<std::string, std::string> LogindEnvironment() const;
  // Starts the front end with these arguments and environment additions; its
  // standard error goes to `log`, a file name in the folder.
  std::unique_ptr<testsupport::ChildProcess> StartLogged(
      const std::vector<std::string>& args, const std::string& log,
      const std::map<std::string, std::string>& env = {});
  std::string Log(const std::string& log) const;

  std::unique_ptr<testsupport::PrivateBus> systemBus_;
  std::unique_ptr<testsupport::PrivateBus> sessionBus_;
  std::unique_ptr<testsupport::LogindStandIn> logind_;
};

}  // namespace savertest

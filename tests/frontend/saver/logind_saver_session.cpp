#include "tests/frontend/saver/logind_saver_session.h"

#include <fcntl.h>
#include <unistd.h>

#include "platform/shared_names.h"
#include "tests/support/temporary_folder.h"

namespace savertest {

void LogindSaverSession::SetUp() {
  SaverSession::SetUp();
  systemBus_ = std::make_unique<testsupport::PrivateBus>(testsupport::PrivateBus::Kind::System,
                                                         folder_.Path());
  sessionBus_ = std::make_unique<testsupport::PrivateBus>(testsupport::PrivateBus::Kind::Session,
                                                          folder_.Path());
  ASSERT_TRUE(systemBus_->Running() && sessionBus_->Running());
  logind_ = std::make_unique<testsupport::LogindStandIn>(*systemBus_, getuid());
  ASSERT_TRUE(logind_->Running());
}

std::map<std::string, std::string> LogindSaverSession::LogindEnvironment() const {
  auto env = SessionEnvironment();
  env["DBUS_SYSTEM_BUS_ADDRESS"] = systemBus_->Address();
  env["DBUS_SESSION_BUS_ADDRESS"] = sessionBus_->Address();
  env["XDG_SESSION_ID"] = testsupport::LogindStandIn::kSessionId;
  env["WAYLAND_DISPLAY"] = "";
  return env;
}

std::unique_ptr<testsupport::ChildProcess> LogindSaverSession::StartLogged(
    const std::vector<std::string>& args, const std::string& log,
    const std::map<std::string, std::string>& env) {
  auto all = LogindEnvironment();
  for (const auto& [name, value] : env) all[name] = value;
  const std::string path = File(log);
  return std::make_unique<testsupport::ChildProcess>(File(names::kFrontEndFile), args, all, [path] {
    const int fd = open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
    if (fd >= 0) dup2(fd, STDERR_FILENO);
  });
}

std::string LogindSaverSession::Log(const std::string& log) const {
  return testsupport::ReadBytes(File(log));
}

}  // namespace savertest

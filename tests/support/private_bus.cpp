#include "tests/support/private_bus.h"

#include <signal.h>
#include <sys/stat.h>
#include <unistd.h>

#include <fstream>

#include "tests/support/x_wait.h"

namespace testsupport {

namespace {

constexpr int kStartMs = 30000;

// An open bus: no account or message is refused.
void WriteConfiguration(const std::string& path, PrivateBus::Kind kind, const char* type,
                        const std::string& socket) {
  std::ofstream out(path);
  out << "<!DOCTYPE busconfig PUBLIC \"-//freedesktop//DTD D-Bus Bus Configuration 1.0//EN\"\n"
         " \"http://www.freedesktop.org/standards/dbus/1.0/busconfig.dtd\">\n"
         "<busconfig>\n"
      << "  <type>" << type << "</type>\n"
      << "  <listen>unix:path=" << socket << "</listen>\n"
      << "  <auth>EXTERNAL</auth>\n"
      << (kind == PrivateBus::Kind::Session ? "  <standard_session_servicedirs/>\n" : "")
      << "  <policy context=\"default\">\n"
         "    <allow user=\"*\"/>\n"
         "    <allow own=\"*\"/>\n"
         "    <allow send_destination=\"*\" eavesdrop=\"true\"/>\n"
         "    <allow receive_sender=\"*\"/>\n"
         "    <allow eavesdrop=\"true\"/>\n"
         "  </policy>\n"
         "</busconfig>\n";
}

}  // namespace

PrivateBus::PrivateBus(Kind kind, const std::string& folder,
                       const std::map<std::string, std::string>& env,
                       const std::function<void()>& inChild) {
  const char* type = kind == Kind::Session ? "session" : "system";
  const std::string socket = folder + "/" + type + "_bus";
  const std::string configuration = folder + "/" + type + "_bus.conf";
  WriteConfiguration(configuration, kind, type, socket);
  daemon_ = std::make_unique<ChildProcess>(
      "/usr/bin/dbus-daemon",
      std::vector<std::string>{"--nofork", "--nosyslog", "--config-file=" + configuration}, env,
      inChild);
  address_ = "unix:path=" + socket;
  running_ = WaitUntil([&] { return access(socket.c_str(), F_OK) == 0 || !daemon_->Running(); },
                       kStartMs, 20) &&
             daemon_->Running();
  // The socket is open to every account.
  if (running_) chmod(socket.c_str(), 0777);
}

PrivateBus::~PrivateBus() {
  if (!daemon_ || !daemon_->Running()) return;
  daemon_->Signal(SIGTERM);
  daemon_->WaitExit(10000);
}

CapturedRun PrivateBus::Call(const std::string& destination, const std::string& path,
                             const std::string& method, const std::vector<std::string>& args,
                             int timeoutSeconds) const {
  std::vector<std::string> command = {"call",
                                      "--address",
                                      address_,
                                      "--dest",
                                      destination,
                                      "--object-path",
                                      path,
                                      "--method",
                                      method,
                                      "--timeout",
                                      std::to_string(timeoutSeconds)};
  command.insert(command.end(), args.begin(), args.end());
  return RunToEnd("gdbus", command);
}

}  // namespace testsupport

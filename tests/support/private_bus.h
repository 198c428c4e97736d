#pragma once

#include <functional>
#include <map>
#include <memory>
#include <string>

#include "tests/support/captured_run.h"
#include "tests/support/child_process.h"

namespace testsupport {

// A D-Bus daemon of the test's own standing in for the session's or the system's
// bus: every account may connect, own any name and call anything, since it carries
// only the test's stand-ins and the programs under test. A session bus starts the
// desktop's services on demand, as a log-in session's does, under the daemon's
// account. It listens on a socket in `folder` and ends, by its process id, when the
// object goes. `env` and `inChild` are the daemon's, as for ChildProcess.
class PrivateBus {
 public:
  enum class Kind { Session, System };
  PrivateBus(Kind kind, const std::string& folder,
             const std::map<std::string, std::string>& env = {},
             const std::function<void()>& inChild = {});
  PrivateBus(const PrivateBus&) = delete;
  PrivateBus& operator=(const PrivateBus&) = delete;
  ~PrivateBus();

  // True once the bus accepts connections.
  bool Running() const { return running_; }
  // The address clients connect to ("unix:path=...").
  const std::string& Address() const { return address_; }

  // One method call through `gdbus call`, such as
  // Call("org.gnome.Shell", "/org/gnome/Shell", "org.freedesktop.DBus.Properties.Get",
  // {"org.gnome.Shell", "OverviewActive"}); the reply in gdbus's text form.
  // The call fails once no reply has come within `timeoutSeconds`.
  CapturedRun Call(const std::string& destination, const std::string& path,
                   const std::string& method, const std::vector<std::string>& args = {},
                   int timeoutSeconds = 25) const;

 private:
  std::unique_ptr<ChildProcess> daemon_;
  std::string address_;
  bool running_ = false;
};

}  // namespace testsupport

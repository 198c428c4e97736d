#pragma once

#include <map>
#include <memory>
#include <string>
#include <vector>

#include "tests/support/captured_run.h"
#include "tests/support/child_process.h"
#include "tests/support/session_user.h"
#include "tests/support/temporary_folder.h"

namespace testsupport {

// A headless Wayland compositor for one test, as a desktop user has it, run under
// the session account (see session_user.h) with a private runtime folder and home;
// so are the programs a test starts in it. The compositor and what it started end
// when the object goes. SwaySession and WestonSession start the particular ones.
class CompositorSession {
 public:
  // Whether the compositor starts XWayland; without it the session has no X server,
  // and its programs no DISPLAY.
  enum class XWayland { Enabled, Disabled };

  CompositorSession(const CompositorSession&) = delete;
  CompositorSession& operator=(const CompositorSession&) = delete;
  virtual ~CompositorSession();

  // True once the compositor answers, with its Wayland and XWayland displays known.
  bool Running() const { return running_; }
  // What went wrong when it is not running: the compositor's last log lines.
  std::string Log() const;

  // The environment of a program in the session: the Wayland and XWayland displays,
  // the runtime folder, a home folder of the account's own, software OpenGL, and
  // what the compositor adds.
  std::map<std::string, std::string> Environment() const;
  // A folder the session's programs may write, as their home.
  const std::string& Home() const { return home_; }
  const SessionUser& User() const { return user_; }
  // Makes a file or folder the test made the account's own.
  bool GiveToSession(const std::string& path) const { return GiveToUser(path, user_); }

  // Starts a program in the session with these environment additions.
  std::unique_ptr<ChildProcess> Start(const std::string& path, const std::vector<std::string>& args,
                                      const std::map<std::string, std::string>& env = {}) const;
  // Runs a program (a bare name is one in /usr/bin) in the session to its end.
  CapturedRun Run(const std::string& program, const std::vector<std::string>& args) const;

 protected:
  CompositorSession();
  // Starts the compositor: `command` with only these environment variables besides
  // PATH, HOME and XDG_RUNTIME_DIR, its output going to the log.
  void StartCompositor(const std::vector<std::string>& command,
                       const std::vector<std::string>& environment);
  // The environment of the session's own bus daemon, which runs under the account
  // and starts the desktop's services on demand: the account's folders, and no
  // display of the test's.
  std::map<std::string, std::string> SessionBusEnvironment() const;
  bool CompositorRunning() const { return compositor_ && compositor_->Running(); }
  // Ends the compositor and everything it started.
  void StopCompositor();
  // Called once the compositor is up: the displays its clients use and what else
  // their environment needs.
  void SetDisplays(const std::string& wayland, const std::string& x,
                   const std::map<std::string, std::string>& more = {});
  void SetRunning(bool running) { running_ = running; }

  TemporaryFolder folder_;
  std::string runtime_;

 private:
  SessionUser user_;
  std::string home_;
  std::unique_ptr<ChildProcess> compositor_;
  std::map<std::string, std::string> displays_;
  bool running_ = false;
};

}  // namespace testsupport

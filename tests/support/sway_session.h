#pragma once

#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "tests/support/captured_run.h"
#include "tests/support/child_process.h"
#include "tests/support/ppm_picture.h"
#include "tests/support/session_user.h"
#include "tests/support/temporary_folder.h"

namespace testsupport {

// A headless sway for one test, as a desktop user has it: `outputs` outputs of
// kOutputWidth x kOutputHeight side by side from HEADLESS-1 at the left, software
// rendering, XWayland enabled, no input devices until a test adds one. It runs under
// the session account (see session_user.h) with a private runtime folder, and so do
// the programs a test starts in it. Ended with everything it started when the
// object goes.
class SwaySession {
 public:
  static constexpr int kOutputWidth = 1280;
  static constexpr int kOutputHeight = 720;

  explicit SwaySession(int outputs = 2);
  ~SwaySession();
  SwaySession(const SwaySession&) = delete;
  SwaySession& operator=(const SwaySession&) = delete;

  // True once the compositor answers and shows all its outputs.
  bool Running() const { return running_; }
  // What went wrong when it is not running: the compositor's last log lines.
  std::string Log() const;

  // The environment of a program in the session: the Wayland and XWayland displays,
  // the runtime folder, sway's command socket, a home folder of the account's own
  // and software OpenGL.
  std::map<std::string, std::string> Environment() const;
  // A folder the session's programs may write, as their home.
  const std::string& Home() const { return home_; }
  const SessionUser& User() const { return user_; }
  // Makes a file or folder the test made under Home() the account's own.
  bool GiveToSession(const std::string& path) const { return GiveToUser(path, user_); }

  // Starts a program in the session with these environment additions.
  std::unique_ptr<ChildProcess> Start(const std::string& path, const std::vector<std::string>& args,
                                      const std::map<std::string, std::string>& env = {}) const;
  // Runs a program (a bare name is one in /usr/bin) in the session to its end.
  CapturedRun Run(const std::string& program, const std::vector<std::string>& args) const;

  // One sway command, as `swaymsg` runs it; true when sway carried it out.
  bool Command(const std::string& command) const;
  // sway's answer to a query such as "get_tree", as JSON text.
  std::string Query(const std::string& type) const;
  // What the output (such as "HEADLESS-1") shows now; empty when it cannot be read.
  Picture Screenshot(const std::string& output) const;
  // A key press and release as a keyboard makes it, to the window with the focus
  // (wtype's virtual keyboard; `key` is an XKB key name such as "a").
  bool TypeKey(const std::string& key = "a") const;

  // Output names in order, from "HEADLESS-1".
  std::vector<std::string> Outputs() const;

 private:
  bool WaitForStart();
  bool ShowsAllOutputs() const;

  int outputs_;
  SessionUser user_;
  TemporaryFolder folder_;
  std::string runtime_;
  std::string home_;
  std::unique_ptr<ChildProcess> sway_;
  std::string waylandDisplay_;
  std::string xDisplay_;
  std::string swaySocket_;
  bool running_ = false;
};

}  // namespace testsupport

#include "tests/support/compositor_session.h"

#include <fcntl.h>
#include <signal.h>
#include <sys/prctl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <fstream>
#include <sstream>

namespace testsupport {

CompositorSession::CompositorSession() {
  const std::optional<SessionUser> user = TestSessionUser();
  if (!user || folder_.Path().empty()) return;
  user_ = *user;
  runtime_ = folder_.File("runtime");
  home_ = folder_.File("home");
  mkdir(runtime_.c_str(), 0700);
  mkdir(home_.c_str(), 0700);
  // The account must reach its folders inside the test's own.
  chmod(folder_.Path().c_str(), 0755);
  if (!GiveToUser(runtime_, user_) || !GiveToUser(home_, user_)) runtime_.clear();
}

CompositorSession::~CompositorSession() { StopCompositor(); }

void CompositorSession::StopCompositor() {
  if (!compositor_) return;
  // The compositor leads a process group of its own, so that what it started
  // (XWayland, a shell's services, a copy of itself) ends with it.
  const pid_t group = compositor_->Pid();
  if (compositor_->Running()) kill(-group, SIGTERM);
  compositor_->WaitExit(10000);
  kill(-group, SIGKILL);
  compositor_.reset();
}

void CompositorSession::StartCompositor(const std::vector<std::string>& command,
                                        const std::vector<std::string>& environment) {
  if (runtime_.empty()) return;
  std::vector<std::string> args = {"-i", "PATH=/usr/local/bin:/usr/bin:/bin", "HOME=" + home_,
                                   "XDG_RUNTIME_DIR=" + runtime_};
  args.insert(args.end(), environment.begin(), environment.end());
  args.insert(args.end(), command.begin(), command.end());
  const std::string log = folder_.File("compositor.log");
  compositor_ = std::make_unique<ChildProcess>(
      "/usr/bin/env", args, std::map<std::string, std::string>{}, [log, user = user_] {
        const int out = open(log.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
        dup2(out, STDOUT_FILENO);
        dup2(out, STDERR_FILENO);
        setpgid(0, 0);
        BecomeUser(user);
        // A test that is killed (a ctest timeout, an abort) takes its compositor
        // with it. Set after the change of account, which clears it.
        prctl(PR_SET_PDEATHSIG, SIGTERM);
      });
}

std::string CompositorSession::Log() const {
  std::ifstream in(folder_.File("compositor.log"));
  std::stringstream text;
  text << in.rdbuf();
  const std::string log = text.str();
  return log.size() > 4000 ? log.substr(log.size() - 4000) : log;
}

void CompositorSession::SetDisplays(const std::string& wayland, const std::string& x,
                                    const std::map<std::string, std::string>& more) {
  displays_ = more;
  displays_["WAYLAND_DISPLAY"] = wayland;
  displays_["DISPLAY"] = x;
}

std::map<std::string, std::string> CompositorSession::Environment() const {
  // The session's own entries win over the displays' of the same name.
  std::map<std::string, std::string> env = {{"XDG_RUNTIME_DIR", runtime_},
                                            {"HOME", home_},
                                            {"XDG_CONFIG_HOME", home_ + "/.config"},
                                            {"XDG_CACHE_HOME", home_ + "/.cache"},
                                            {"LIBGL_ALWAYS_SOFTWARE", "1"}};
  env.insert(displays_.begin(), displays_.end());
  return env;
}

std::map<std::string, std::string> CompositorSession::SessionBusEnvironment() const {
  std::map<std::string, std::string> env = Environment();
  env["DISPLAY"] = "";
  env["WAYLAND_DISPLAY"] = "";
  return env;
}

std::unique_ptr<ChildProcess> CompositorSession::Start(
    const std::string& path, const std::vector<std::string>& args,
    const std::map<std::string, std::string>& env) const {
  std::map<std::string, std::string> all = Environment();
  for (const auto& [name, value] : env) all[name] = value;
  return std::make_unique<ChildProcess>(path, args, all, [user = user_] { BecomeUser(user); });
}

CapturedRun CompositorSession::Run(const std::string& program,
                                   const std::vector<std::string>& args) const {
  return RunToEnd(program, args, Environment(), [user = user_] { BecomeUser(user); });
}

}  // namespace testsupport

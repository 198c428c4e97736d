#include "tests/support/sway_session.h"

#include <fcntl.h>
#include <signal.h>
#include <sys/stat.h>
#include <unistd.h>

#include <fstream>
#include <sstream>

#include "tests/support/x_wait.h"

namespace testsupport {

namespace {

constexpr int kStartMs = 60000;
constexpr char kSessionFile[] = "session-names";

std::string ReadText(const std::string& path) {
  std::ifstream in(path);
  std::stringstream text;
  text << in.rdbuf();
  return text.str();
}

}  // namespace

SwaySession::SwaySession(int outputs) : outputs_(outputs) {
  const std::optional<SessionUser> user = TestSessionUser();
  if (!user || folder_.Path().empty()) return;
  user_ = *user;
  runtime_ = folder_.File("runtime");
  home_ = folder_.File("home");
  mkdir(runtime_.c_str(), 0700);
  mkdir(home_.c_str(), 0700);
  const std::string config = folder_.File("config");
  {
    std::ofstream out(config);
    out << "xwayland enable\n";
    for (int i = 0; i < outputs_; ++i) {
      out << "output HEADLESS-" << i + 1 << " resolution " << kOutputWidth << "x" << kOutputHeight
          << " position " << i * kOutputWidth << " 0\n";
    }
    // Tells the test the names of the displays and of sway's socket, once sway runs
    // its programs.
    out << "exec printenv WAYLAND_DISPLAY DISPLAY SWAYSOCK > \"$XDG_RUNTIME_DIR/" << kSessionFile
        << ".new\" && mv \"$XDG_RUNTIME_DIR/" << kSessionFile << ".new\" \"$XDG_RUNTIME_DIR/"
        << kSessionFile << "\"\n";
  }
  chmod(folder_.Path().c_str(), 0755);
  chmod(config.c_str(), 0644);
  if (!GiveToUser(runtime_, user_) || !GiveToUser(home_, user_)) return;
  const std::string log = folder_.File("sway.log");
  sway_ = std::make_unique<ChildProcess>(
      "/usr/bin/env",
      std::vector<std::string>{"-i", "PATH=/usr/local/bin:/usr/bin:/bin", "HOME=" + home_,
                               "XDG_RUNTIME_DIR=" + runtime_, "WLR_BACKENDS=headless",
                               "WLR_RENDERER=pixman", "WLR_LIBINPUT_NO_DEVICES=1", "sway", "-c",
                               config},
      std::map<std::string, std::string>{}, [log, user = user_] {
        const int out = open(log.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
        dup2(out, STDOUT_FILENO);
        dup2(out, STDERR_FILENO);
        BecomeUser(user);
      });
  running_ = WaitForStart();
}

SwaySession::~SwaySession() {
  if (!sway_) return;
  sway_->Signal(SIGTERM);
  sway_->WaitExit(10000);
}

std::string SwaySession::Log() const {
  const std::string log = ReadText(folder_.File("sway.log"));
  return log.size() > 4000 ? log.substr(log.size() - 4000) : log;
}

bool SwaySession::WaitForStart() {
  const std::string names = runtime_ + "/" + kSessionFile;
  if (!WaitUntil([&] { return access(names.c_str(), R_OK) == 0 || !sway_->Running(); },
                 kStartMs)) {
    return false;
  }
  std::istringstream lines(ReadText(names));
  if (!std::getline(lines, waylandDisplay_) || !std::getline(lines, xDisplay_) ||
      !std::getline(lines, swaySocket_)) {
    return false;
  }
  // The first output is there from the start; the others are made now and take
  // their size and place from the configuration.
  for (int i = 1; i < outputs_; ++i) {
    if (!Command("create_output")) return false;
  }
  return WaitUntil([&] { return ShowsAllOutputs(); }, kStartMs);
}

bool SwaySession::ShowsAllOutputs() const {
  for (const std::string& output : Outputs()) {
    const Picture shown = Screenshot(output);
    if (shown.width != kOutputWidth || shown.height != kOutputHeight) return false;
  }
  return true;
}

std::map<std::string, std::string> SwaySession::Environment() const {
  return {{"WAYLAND_DISPLAY", waylandDisplay_},
          {"DISPLAY", xDisplay_},
          {"XDG_RUNTIME_DIR", runtime_},
          {"SWAYSOCK", swaySocket_},
          {"HOME", home_},
          {"XDG_CONFIG_HOME", home_ + "/.config"},
          {"XDG_CACHE_HOME", home_ + "/.cache"},
          {"LIBGL_ALWAYS_SOFTWARE", "1"}};
}

std::unique_ptr<ChildProcess> SwaySession::Start(const std::string& path,
                                                 const std::vector<std::string>& args,
                                                 const std::map<std::string, std::string>& env) const {
  std::map<std::string, std::string> all = Environment();
  for (const auto& [name, value] : env) all[name] = value;
  return std::make_unique<ChildProcess>(path, args, all, [user = user_] { BecomeUser(user); });
}

CapturedRun SwaySession::Run(const std::string& program,
                             const std::vector<std::string>& args) const {
  return RunToEnd(program, args, Environment(), [user = user_] { BecomeUser(user); });
}

bool SwaySession::Command(const std::string& command) const {
  const CapturedRun run = Run("swaymsg", {command});
  return run.Succeeded() && run.output.find("\"success\": false") == std::string::npos;
}

std::string SwaySession::Query(const std::string& type) const {
  return Run("swaymsg", {"-r", "-t", type}).output;
}

Picture SwaySession::Screenshot(const std::string& output) const {
  const CapturedRun run = Run("grim", {"-t", "ppm", "-o", output, "-"});
  return run.Succeeded() ? ParsePpm(run.output) : Picture{};
}

bool SwaySession::TypeKey(const std::string& key) const {
  // The pause before the key lets the compositor take the new keyboard's keymap
  // first; a key sent at once can be lost.
  return Run("wtype", {"-s", "400", "-k", key}).Succeeded();
}

std::vector<std::string> SwaySession::Outputs() const {
  std::vector<std::string> names;
  for (int i = 1; i <= outputs_; ++i) names.push_back("HEADLESS-" + std::to_string(i));
  return names;
}

}  // namespace testsupport

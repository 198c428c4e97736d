#include "tests/support/sway_session.h"

#include <sys/stat.h>
#include <unistd.h>

#include <fstream>
#include <sstream>

#include "tests/support/x_close_request.h"
#include "tests/support/x_wait.h"

namespace testsupport {

namespace {

constexpr int kStartMs = 60000;
constexpr char kSessionFile[] = "session-names";

}  // namespace

SwaySession::SwaySession(int outputs, XWayland xwayland, OutputKind kind)
    : outputs_(outputs), xwayland_(xwayland), kind_(kind) {
  const bool withX = xwayland_ == XWayland::Enabled;
  std::vector<std::string> backend = {"WLR_BACKENDS=headless"};
  if (kind_ == OutputKind::XWindows) {
    outputServer_ = std::make_unique<XvfbServer>();
    outputDisplay_ = XOpenDisplay(outputServer_->Display().c_str());
    if (!outputDisplay_) return;
    // wlroots titles each output's window with its name, and closes the output when
    // the window gets a close request.
    MakeWindowManagerAtoms(outputDisplay_);
    backend = {"WLR_BACKENDS=x11", "DISPLAY=" + outputServer_->Display()};
  }
  const std::string config = folder_.File("config");
  {
    std::ofstream out(config);
    out << (withX ? "xwayland enable\n" : "xwayland disable\n");
    for (int i = 0; i < outputs_; ++i) {
      out << "output " << OutputPrefix() << i + 1 << " resolution " << kOutputWidth << "x"
          << kOutputHeight << " position " << i * kOutputWidth << " 0\n";
    }
    // Tells the test the names of the displays and of sway's socket, once sway runs
    // its programs.
    out << "exec printenv WAYLAND_DISPLAY " << (withX ? "DISPLAY " : "")
        << "SWAYSOCK > \"$XDG_RUNTIME_DIR/" << kSessionFile << ".new\" && mv \"$XDG_RUNTIME_DIR/"
        << kSessionFile << ".new\" \"$XDG_RUNTIME_DIR/" << kSessionFile << "\"\n";
  }
  chmod(config.c_str(), 0644);
  backend.insert(backend.end(), {"WLR_RENDERER=pixman", "WLR_LIBINPUT_NO_DEVICES=1"});
  StartCompositor({"sway", "-c", config}, backend);
  SetRunning(WaitForStart());
}

SwaySession::~SwaySession() {
  if (outputDisplay_) XCloseDisplay(outputDisplay_);
}

bool SwaySession::WaitForStart() {
  const std::string names = runtime_ + "/" + kSessionFile;
  if (!WaitUntil([&] { return access(names.c_str(), R_OK) == 0 || !CompositorRunning(); },
                 kStartMs)) {
    return false;
  }
  std::ifstream lines(names);
  std::string wayland, x, socket;
  if (!std::getline(lines, wayland) ||
      (xwayland_ == XWayland::Enabled && !std::getline(lines, x)) || !std::getline(lines, socket)) {
    return false;
  }
  SetDisplays(wayland, x, {{"SWAYSOCK", socket}});
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
  for (int i = 1; i <= outputs_; ++i) names.push_back(OutputPrefix() + std::to_string(i));
  return names;
}

bool SwaySession::RemoveOutput(const std::string& name) const {
  if (!outputDisplay_ || !RequestWindowClose(outputDisplay_, "wlroots - " + name)) return false;
  return WaitUntil([&] { return !HasOutput(name); }, kStartMs, 100);
}

bool SwaySession::HasOutput(const std::string& name) const {
  return Query("get_outputs").find("\"name\": \"" + name + "\"") != std::string::npos;
}

}  // namespace testsupport

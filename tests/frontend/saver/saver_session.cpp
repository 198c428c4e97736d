#include "tests/frontend/saver/saver_session.h"

#include <X11/keysym.h>
#include <signal.h>
#include <sys/stat.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "platform/shared_names.h"
#include "platform/window_search.h"
#include "tests/support/x_input.h"
#include "tests/support/x_wait.h"

namespace savertest {

namespace {

// The settings keys in the encoding of the file: BGM区分, BGMﾘﾋﾟｰﾄ, BGMﾌｧｲﾙ.
const std::string kModeKey = "BGM\x8B\xE6\x95\xAA";
const std::string kTrackKey = "BGM\xD8\xCB\xDF\xB0\xC4";
const std::string kFileKey = "BGM\xCC\xA7\xB2\xD9";

constexpr char kStandInPidFile[] = "stand-in.pid";

void WriteText(const std::string& path, const std::string& text) {
  std::ofstream(path, std::ios::binary) << text;
}

}  // namespace

void SaverSession::SetUp() {
  PrivateDisplayTest::SetUp();
  ASSERT_FALSE(folder_.Path().empty());
  std::filesystem::copy_file(testsupport::FrontEndPath(), File(names::kFrontEndFile));
  std::filesystem::copy_file(testsupport::RendererPath(), File(names::kRendererFile));
}

void SaverSession::TearDown() {
  // A renderer or stand-in left behind by a failed test goes with the test.
  for (pid_t pid : RendererProcesses()) kill(pid, SIGKILL);
  std::ifstream standIn(File(kStandInPidFile));
  pid_t pid = 0;
  if (standIn >> pid && pid > 0) kill(pid, SIGKILL);
  PrivateDisplayTest::TearDown();
}

void SaverSession::WriteSettings(int mode, const std::string& musicFile) {
  WriteText(File(names::kSettingsFile), "[Section]\r\n" + kModeKey + "= " + std::to_string(mode) +
                                          "\r\n" + kTrackKey + "= 0\r\n" + kFileKey + "=" +
                                          musicFile + "\r\n");
}

void SaverSession::ReplaceRenderer(const std::string& script) {
  const std::string path = File(names::kRendererFile);
  // The stand-in notes its process id so that the test can end it.
  WriteText(path, "#!/bin/sh\necho $$ > \"$(dirname \"$0\")/" + std::string(kStandInPidFile) +
                      "\"\n" + script);
  chmod(path.c_str(), 0755);
}

std::map<std::string, std::string> SaverSession::SessionEnvironment() const {
  return {{"DISPLAY", server_.Display()},
          {"LIBGL_ALWAYS_SOFTWARE", "1"},
          {"SDL_AUDIODRIVER", "disk"},
          {"SDL_DISKAUDIOFILE", File("sound.raw")},
          {"VEYORA_CDROM", File("no-such-disc.cue")},
          {"VEYORA_POINTER_LOG", File("pointer.log")},
          {"LD_PRELOAD", SAVER_POINTER_CALL_LOG}};
}

std::unique_ptr<testsupport::ChildProcess> SaverSession::StartFrontEnd(
    const std::vector<std::string>& args) {
  return std::make_unique<testsupport::ChildProcess>(File(names::kFrontEndFile), args,
                                                     SessionEnvironment());
}

void SaverSession::WriteTone(const std::string& wavPath, double hertz, double seconds) {
  ASSERT_TRUE(musictest::WriteWav(wavPath, musictest::Tone(hertz, seconds)));
}

Window SaverSession::WaitForRenderer() {
  const Window renderer = testsupport::WaitForWindow(display_, names::kRendererTitle, 60000);
  if (renderer == None) return None;
  const bool focused = testsupport::WaitUntil(
      [&] {
        Window focus = None;
        int revert = 0;
        XGetInputFocus(display_, &focus, &revert);
        return focus == renderer;
      },
      60000);
  return focused ? renderer : None;
}

void SaverSession::PressKey() { testsupport::TapKey(display_, XK_a); }

std::optional<int> SaverSession::FrontEndEndAfterRenderer(testsupport::ChildProcess& frontEnd) {
  if (!testsupport::WaitForWindowGone(display_, names::kRendererTitle, 60000)) return std::nullopt;
  return frontEnd.WaitExit(60000);
}

std::vector<pid_t> SaverSession::RendererProcesses() const {
  const std::filesystem::path renderer = File(names::kRendererFile);
  std::vector<pid_t> found;
  std::error_code error;
  for (const auto& entry : std::filesystem::directory_iterator("/proc", error)) {
    const std::string name = entry.path().filename().string();
    if (name.find_first_not_of("0123456789") != std::string::npos) continue;
    std::error_code linkError;
    if (std::filesystem::read_symlink(entry.path() / "exe", linkError) == renderer) {
      // A renderer that has ended but is not yet reaped runs no more.
      std::ifstream stat(entry.path() / "stat");
      std::string line;
      std::getline(stat, line);
      const size_t close = line.rfind(')');
      if (close != std::string::npos && line.compare(close + 2, 1, "Z") != 0) {
        found.push_back(std::stoi(name));
      }
    }
  }
  return found;
}

std::vector<std::string> SaverSession::PointerCalls(pid_t pid) const {
  std::ifstream log(File("pointer.log"));
  std::vector<std::string> calls;
  std::string what;
  pid_t caller = 0;
  while (log >> what >> caller) {
    if (caller == pid) calls.push_back(what);
  }
  return calls;
}

long SaverSession::SoundBytes(const std::string& name) const {
  std::error_code error;
  const auto size = std::filesystem::file_size(File(name), error);
  return error ? 0 : static_cast<long>(size);
}

bool SaverSession::WaitForSound(double seconds) const {
  const long until = SoundBytes() + static_cast<long>(seconds * musictest::kRate) * 4;
  return testsupport::WaitUntil([&] { return SoundBytes() >= until; }, 60000);
}

}  // namespace savertest

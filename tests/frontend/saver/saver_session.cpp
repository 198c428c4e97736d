#include "tests/frontend/saver/saver_session.h"

#include <X11/keysym.h>
#include <signal.h>
#include <sys/stat.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "platform/shared_names.h"
#include "platform/window_search.h"
#include "tests/frontend/saver/saver_settings_file.h"
#include "tests/frontend/saver/sound_output.h"
#include "tests/support/x_input.h"
#include "tests/support/x_wait.h"

namespace savertest {

namespace {

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
  WriteSaverSettings(File(names::kSettingsFile), mode, musicFile);
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
  return testsupport::WaitForFocus(display_, renderer, 60000) ? renderer : None;
}

void SaverSession::PressKey() { testsupport::TapKey(display_, XK_a); }

std::optional<int> SaverSession::FrontEndEndAfterRenderer(testsupport::ChildProcess& frontEnd) {
  if (!testsupport::WaitForWindowGone(display_, names::kRendererTitle, 60000)) return std::nullopt;
  return frontEnd.WaitExit(60000);
}

std::vector<pid_t> SaverSession::RendererProcesses() const {
  return testsupport::RunningProcessesOf(File(names::kRendererFile));
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

long SaverSession::SoundBytes(const std::string& name) const { return SoundFileBytes(File(name)); }

bool SaverSession::WaitForSound(double seconds) const {
  return WaitForSoundFile(File("sound.raw"), seconds, 60000);
}

}  // namespace savertest

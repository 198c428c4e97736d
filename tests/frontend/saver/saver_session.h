#pragma once

// GoogleTest comes before Xlib, whose None and Bool macros would break it.
#include <gtest/gtest.h>

#include <X11/Xlib.h>
#include <sys/types.h>

#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "platform/shared_names.h"
#include "tests/frontend/music/support/test_audio.h"
#include "tests/support/child_process.h"
#include "tests/support/private_display_test.h"
#include "tests/support/temporary_folder.h"

namespace savertest {

// Both programs copied into a folder of their own, with their settings file, run
// on a private X server. Sound goes to SDL's "disk" output in that folder, there
// is never a CD drive, and the front end's pointer hide and show requests are
// logged there.
class SaverSession : public testsupport::PrivateDisplayTest {
 protected:
  SaverSession() : PrivateDisplayTest(640, 480) {}
  void SetUp() override;
  void TearDown() override;

  std::string File(const std::string& name) const { return folder_.File(name); }
  // Writes the settings file in the settings file's own encoding.
  void WriteSettings(int mode, const std::string& musicFile);
  // Puts a shell script in the renderer's place.
  void ReplaceRenderer(const std::string& script);

  std::unique_ptr<testsupport::ChildProcess> StartFrontEnd(const std::vector<std::string>& args);
  // The environment the programs run in: this display, software GL, sound to a
  // file, no CD, the pointer log.
  std::map<std::string, std::string> SessionEnvironment() const;
  void WriteTone(const std::string& wavPath, double hertz, double seconds);

  // The renderer's window once it is there and has the keyboard focus, so that
  // a key reaches it; None when that does not happen within a generous deadline.
  Window WaitForRenderer();
  // A key press as the user makes it, to the window that has the focus.
  void PressKey();
  // Waits for the renderer's window to go, then for the front end to end; its
  // exit status, or nullopt when either did not happen.
  std::optional<int> FrontEndEndAfterRenderer(testsupport::ChildProcess& frontEnd);

  // Processes running the renderer copy in this folder.
  std::vector<pid_t> RendererProcesses() const;
  // Lines of the pointer log written by the process `pid`.
  std::vector<std::string> PointerCalls(pid_t pid) const;
  // Bytes the sound output has written so far to this file (0 before it opened).
  long SoundBytes(const std::string& name = "sound.raw") const;
  // Waits until the sound output holds `seconds` more sound than now.
  bool WaitForSound(double seconds) const;

  testsupport::TemporaryFolder folder_;
};

}  // namespace savertest

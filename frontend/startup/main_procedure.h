#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>

#include "frontend/settings/settings.h"
#include "frontend/startup/dispatch.h"

namespace veyora::frontend {

// What Main does at each of its steps. The program fills these with the real
// platform calls and with the windows of each mode; a step left empty is skipped.
struct Main_Steps {
  // True when a top-level window with this title exists anywhere on the display.
  std::function<bool(const std::string& title)> windowExists;
  std::function<Settings()> loadSettings;
  std::function<bool()> rendererPresent;
  // Tells the user that the renderer is missing; returns once the message is dismissed.
  std::function<void()> reportMissingRenderer;
  // Claims the one screensaver run there may be on the display; false when
  // another run has it.
  std::function<bool()> claimSaverRun;
  // Hides the pointer; returns the new display count.
  std::function<int()> hidePointer;
  // Ends the program at once; in the program it does not return.
  std::function<void()> endProgram;
  // Says what failed in one line on standard error and ends the program at once
  // with a status that tells the caller it failed.
  std::function<void(const std::string& what)> endWithFailure;
  // True when the X window a host gave exists.
  std::function<bool(uint32_t window)> hostWindowExists;

  // The windows of the modes. The dialog changes the settings it is given and
  // writes them; the saver run plays the music they choose and, when it is given
  // the count the hide returned, shows the pointer again at its end.
  std::function<void(uint32_t paneWindow)> hostPreview;
  std::function<void(Settings& settings)> showSettingsDialogModal;
  std::function<void(const Settings& settings, std::optional<int> pointerCount)> loadSaverWindow;
  // The screensaver inside a host's window, with the music `settings` choose or
  // without music.
  std::function<void(const Settings& settings, uint32_t hostWindow, bool withMusic)> loadHostedRun;
};

// The front end's start-up procedure: the single-instance test, the mode
// dispatch, the settings, the renderer check and the window of the chosen mode.
// A host's window is checked first instead; hosts run as many instances as they
// like, and get a line on standard error, not a message box, when one cannot run.
// A step that fails is skipped, with one line on standard error, and the next one
// runs. Returns when the chosen window is loaded (the program then lives on its
// events) or, in tests, after a call to endProgram.
void Main(const StartRequest& request, const Main_Steps& steps);

}  // namespace veyora::frontend

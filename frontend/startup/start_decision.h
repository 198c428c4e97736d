#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <variant>

#include "frontend/settings/settings.h"
#include "frontend/startup/dispatch.h"

namespace veyora::frontend {

// What a start needs to know about this machine, asked one at a time in the order
// the decision needs the answers.
enum class StartQuestion {
  Displays,           // the displays the session offers
  HostWindowExists,   // the window a host gave is there
  SaverRunning,       // a window titled "Quorin05_Main" exists
  DialogOpen,         // a window titled "<Veyora(Ra05)>" exists
  Settings,           // the settings, loaded from the file
  RendererPresent,    // the renderer lies next to the front end
  SessionLocked,      // the session is locked or the desktop's shield is up
  SaverClaimed,       // this start has won the one screensaver run of the session
  DialogClaimed,      // this start has won the one settings dialog of the session
  RendererOnWayland,  // the renderer starts as a Wayland client in this session
};

// The displays a session offers the front end. A Wayland session may have no X
// server at all.
struct SessionDisplays {
  bool x = false;        // an X server answers on DISPLAY
  bool wayland = false;  // WAYLAND_DISPLAY names the session's compositor
  bool operator==(const SessionDisplays&) const = default;
};

// The answers gathered so far; none where the question has not been asked.
struct StartFacts {
  std::optional<SessionDisplays> displays;
  std::optional<bool> hostWindowExists;
  std::optional<bool> saverRunning;
  std::optional<bool> dialogOpen;
  std::optional<Settings> settings;
  std::optional<bool> rendererPresent;
  // What shows the session locked ("logind's LockedHint"); empty when nothing does.
  std::optional<std::string> sessionLock;
  std::optional<bool> saverClaimed;
  std::optional<bool> dialogClaimed;
  std::optional<bool> rendererOnWayland;
};

// What the start does.
enum class StartAction {
  ShowPreview,              // the still picture in the preview pane `window`
  ShowSettingsDialog,       // the settings dialog, modally, then the end
  RunScreensaver,           // the screensaver, full screen; `hidePointer` first for "S"
  RunScreensaverOnWayland,  // the same on a Wayland desktop, the renderer followed by its
                            // process, since its windows cannot be seen from here
  RunHosted,                // the screensaver in the host's `window`, with music
  RunHostedPreview,         // a host's live preview in `window`, without music
  End,                      // the end, with `status` and what `telling` says
};

// How an end tells why, when it does.
enum class Telling {
  Nothing,
  MessageBox,  // a message box with only an OK button: `caption` and `message`
  ErrorLine,   // one line on standard error: `message`
};

struct StartPlan {
  StartAction action = StartAction::End;
  Settings settings;
  uint32_t window = 0;
  bool hidePointer = false;
  int status = 0;
  Telling telling = Telling::Nothing;
  std::string caption;
  std::string message;
  bool operator==(const StartPlan&) const = default;
};

// The next question to ask, or the plan once the answers are enough. Another
// instance's saver run or settings dialog ends the start silently; the renderer is
// required in every mode but the preview, the settings dialog included. A
// full-screen run never starts over a locked session: it ends with status 0 and a
// line that says why. A host's window is checked first instead: hosts run as many
// instances as they like (a locker draws them under its lock), and get a line on
// standard error, not a message box, when one cannot run. Without an X server,
// which a Wayland session may lack, the modes that draw in other programs' X11
// windows (the preview pane, a host's window) and a renderer told to use X11 end
// with status 1 and a line that says they need one; a session with no display at
// all ends every start so.
std::variant<StartQuestion, StartPlan> DecideStart(const StartRequest& request,
                                                   const StartFacts& facts);

}  // namespace veyora::frontend

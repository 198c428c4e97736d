#pragma once

#include <string>
#include <vector>

namespace veyora::frontend {

// The lock files of one thing there may be only one of in this session for this
// user ("saver": the screensaver run; "dialog": the settings dialog; "music": the
// music of the runs a host starts side by side): one per display the session has,
// the X display `xDisplayName` and the Wayland display `waylandDisplayName`, each
// left out when empty. So a start that knows only one of the session's displays
// still meets a claim made by a start that knew both.
std::vector<std::string> SessionClaimNames(const std::string& what, const std::string& xDisplayName,
                                           const std::string& waylandDisplayName);

// The lock file's name for an X display: ":1", ":1.0" and "unix:1" are one display.
std::string DisplayClaimName(const std::string& what, const std::string& displayName);
// The lock file's name for a Wayland display, named as in WAYLAND_DISPLAY.
std::string WaylandClaimName(const std::string& what, const std::string& waylandDisplayName);

// Claims every one of `names` for as long as the process lives: an exclusive lock
// on each file in $XDG_RUNTIME_DIR (or, without it, a file of the user's own in
// the temporary folder). Two starts at the same moment cannot both have them.
// False when another process holds one of them, or a lock file cannot be had.
bool Claim(const std::vector<std::string>& names);

// True when another process holds one of `names`. Asking takes nothing, so it
// never keeps another start from its claim.
bool ClaimedElsewhere(const std::vector<std::string>& names);

}  // namespace veyora::frontend

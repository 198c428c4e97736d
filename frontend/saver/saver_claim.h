#pragma once

#include <string>

namespace veyora::frontend {

// Claims one thing there may be only one of on the X display `displayName` for
// this user ("saver": the screensaver run; "music": the music of the runs a host
// starts side by side), for as long as the process lives: an exclusive lock on a
// file in $XDG_RUNTIME_DIR (or, without it, a file of the user's own in the
// temporary folder). Two starts at the same moment cannot both have it. False
// when another process holds it, or the lock file cannot be had.
bool ClaimOnDisplay(const std::string& what, const std::string& displayName);

// The lock file's name: ":1", ":1.0" and "unix:1" are one display.
std::string DisplayClaimName(const std::string& what, const std::string& displayName);

}  // namespace veyora::frontend

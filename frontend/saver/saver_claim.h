#pragma once

#include <string>

// Claims the one screensaver run there may be on the X display `displayName`
// for this user, for as long as the process lives: an exclusive lock on a file
// in $XDG_RUNTIME_DIR (or, without it, a file of the user's own in the temporary
// folder). Two starts at the same moment cannot both have it. False when another
// run holds it, or the lock file cannot be had.
bool ClaimSaverRun(const std::string& displayName);

// The lock file's name for a display: ":1", ":1.0" and "unix:1" are one display.
std::string SaverClaimName(const std::string& displayName);

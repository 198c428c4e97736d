#pragma once

namespace veyora {

// Starts SDL's video subsystem for the renderer, with the settings both of its
// modes need: the renderer's own handling of termination signals, and the system's
// screen saver and power management left to run as if its windows were not there.
// False, after one line on standard error, when it cannot start.
bool StartSdlVideo();

// One line on standard error: the program, what failed and SDL's reason.
void ReportSdlFailure(const char* what);

}  // namespace veyora

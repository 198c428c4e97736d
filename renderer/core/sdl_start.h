#pragma once

#include "platform/video_driver_choice.h"

namespace veyora {

using platform::VideoDriver;

// SDL's settings for the renderer, in place before SDL starts: the given video
// driver, the renderer's own handling of termination signals, and the system's
// screen saver and power management left to run as if its windows were not there
// (on Wayland: no idle inhibitor). Full-screen windows need no decorations, so SDL's
// decoration library stays unloaded.
void PrepareSdlStart(VideoDriver driver);

// Starts SDL's video subsystem on the given driver, prepared as above. False, after
// one line on standard error, when it cannot start.
bool StartSdlVideo(VideoDriver driver);

// One line on standard error: the program, what failed and SDL's reason.
void ReportSdlFailure(const char* what);

}  // namespace veyora

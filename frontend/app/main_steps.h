#pragma once

#include "frontend/startup/main_procedure.h"

namespace veyora::frontend {

// Main's steps on this machine: window look-ups on the X display, the settings
// file and the renderer next to the program, the message box, the pointer, the
// immediate end, and the windows of the modes.
Main_Steps PlatformMainSteps();

}  // namespace veyora::frontend

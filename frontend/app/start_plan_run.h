#pragma once

#include "frontend/startup/start_decision.h"

namespace veyora::frontend {

// Carries out the plan on this machine: opens the window of its mode and lives on
// the windows' events until none is left, or tells why the start ends. Returns the
// program's exit status. A step that fails is skipped with one line on standard
// error, and the next one runs.
int CarryOutStartPlan(const StartPlan& plan);

}  // namespace veyora::frontend

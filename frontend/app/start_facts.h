#pragma once

#include "frontend/startup/start_decision.h"

namespace veyora::frontend {

// Answers one question of the start decision on this machine: window look-ups on
// the X display, the settings file, the renderer next to the program, the
// session's lock, the claim of the screensaver run and whether the renderer starts
// as a Wayland client. A look-up that fails is
// skipped with one line on standard error, and counts as "no" (the settings as the start values).
void AnswerStartQuestion(StartQuestion question, const StartRequest& request, StartFacts& facts);

}  // namespace veyora::frontend

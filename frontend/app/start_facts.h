#pragma once

#include "frontend/startup/start_decision.h"

namespace veyora::frontend {

// Answers one question of the start decision on this machine: the session's
// displays, window look-ups on the X display where there is one and the claims
// of the session, the settings file, the renderer next to the program, the
// session's lock, the claims of the screensaver run and of the settings dialog,
// and whether the renderer starts as a Wayland client. A look-up that fails is
// skipped with one line on standard error, and counts as "no" (the settings as the start values).
void AnswerStartQuestion(StartQuestion question, const StartRequest& request, StartFacts& facts);

}  // namespace veyora::frontend

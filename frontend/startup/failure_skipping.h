#pragma once

#include <utility>

// Runs one step of a start-up procedure; a step that fails (throws) is abandoned
// and the procedure goes on with the next one. Returns whether the step completed.
template <class Step>
bool SkipOnFailure(Step&& step) {
  try {
    std::forward<Step>(step)();
    return true;
  } catch (...) {
    return false;
  }
}

#pragma once

#include <exception>
#include <string>
#include <utility>

#include "frontend/system/failure_report.h"

namespace veyora::frontend {

// Runs one step of a start-up procedure; a step that fails (throws) is abandoned,
// reported in one line on standard error with `what` it was doing, and the
// procedure goes on with the next one. Returns whether the step completed.
template <class Step>
bool SkipOnFailure(const char* what, Step&& step) {
  try {
    std::forward<Step>(step)();
    return true;
  } catch (const std::exception& failure) {
    ReportFailure(std::string(what) + ": " + failure.what());
  } catch (...) {
    ReportFailure(std::string(what) + " failed");
  }
  return false;
}

}  // namespace veyora::frontend

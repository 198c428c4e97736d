#pragma once

#include <string_view>

namespace veyora::frontend {

// Writes one line to standard error: the program's file name and what failed, so
// that someone running the program from a terminal can tell why something did
// not happen. The programs show no message of their own for such failures.
void ReportFailure(std::string_view what);

}  // namespace veyora::frontend

#include "frontend/system/failure_report.h"

#include <errno.h>

#include <cstdio>

namespace veyora::frontend {

void ReportFailure(std::string_view what) {
  std::fprintf(stderr, "%s: %.*s\n", program_invocation_short_name, static_cast<int>(what.size()),
               what.data());
}

}  // namespace veyora::frontend

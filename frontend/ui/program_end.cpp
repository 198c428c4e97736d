#include "frontend/ui/program_end.h"

#include <unistd.h>

#include <cstdio>

namespace veyora::frontend::ui {

void EndProgram(int status) {
  std::fflush(nullptr);
  _exit(status);
}

}  // namespace veyora::frontend::ui

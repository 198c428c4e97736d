#include "frontend/startup/program_paths.h"

#include "platform/program_files.h"
#include "platform/shared_names.h"

std::string Renderer_Path() { return platform::FileNextToProgram(names::kRendererFile); }

#include "frontend/startup/program_paths.h"

#include "platform/program_files.h"
#include "platform/shared_names.h"

namespace {

std::string NextToProgram(const char* fileName) {
  const std::string folder = platform::ProgramFolder();
  if (folder.empty()) return {};
  return folder + "/" + fileName;
}

}  // namespace

std::string Renderer_Path() { return NextToProgram(names::kRendererFile); }

std::string Settings_Path() { return NextToProgram(names::kSettingsFile); }

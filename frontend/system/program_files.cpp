#include "frontend/system/program_files.h"

#include <signal.h>
#include <spawn.h>
#include <unistd.h>

#include <filesystem>
#include <system_error>

#include "platform/shared_names.h"

extern char** environ;

namespace veyora::frontend {

std::string ProgramFolder() {
  std::error_code error;
  std::filesystem::path exe = std::filesystem::read_symlink("/proc/self/exe", error);
  if (error) return {};
  return exe.parent_path().string();
}

std::string FileNextToProgram(const std::string& name) {
  const std::string folder = ProgramFolder();
  return folder.empty() ? std::string() : folder + "/" + name;
}

std::string Renderer_Path() { return FileNextToProgram(names::kRendererFile); }

pid_t StartProgram(const std::string& path, const std::vector<std::string>& arguments) {
  posix_spawnattr_t attributes;
  if (posix_spawnattr_init(&attributes) != 0) return 0;
  sigset_t all, none;
  sigfillset(&all);
  sigemptyset(&none);
  posix_spawnattr_setsigdefault(&attributes, &all);
  posix_spawnattr_setsigmask(&attributes, &none);
  posix_spawnattr_setflags(&attributes, POSIX_SPAWN_SETSIGDEF | POSIX_SPAWN_SETSIGMASK);
  std::vector<char*> argv = {const_cast<char*>(path.c_str())};
  for (const std::string& argument : arguments) argv.push_back(const_cast<char*>(argument.c_str()));
  argv.push_back(nullptr);
  pid_t pid = 0;
  const int result = posix_spawn(&pid, path.c_str(), nullptr, &attributes, argv.data(), environ);
  posix_spawnattr_destroy(&attributes);
  return result == 0 ? pid : 0;
}

}  // namespace veyora::frontend

#pragma once

#include <sys/types.h>

#include <string>
#include <vector>

namespace veyora::frontend {

// The folder that holds the running program file (from /proc/self/exe), without a
// trailing "/". Empty when it cannot be read.
std::string ProgramFolder();

// The file of this name in the program's folder; empty when the folder cannot be
// read.
std::string FileNextToProgram(const std::string& name);

// The renderer program, next to the front end. Empty when the program's folder
// cannot be read.
std::string Renderer_Path();

// Starts the program file at `path` as a new process with `arguments` after its
// name, never through a shell, without waiting for it. The child gets default
// signal handling. Returns its process id, or 0 when it could not be started.
pid_t StartProgram(const std::string& path, const std::vector<std::string>& arguments = {});

}  // namespace veyora::frontend

#pragma once

#include <string>

namespace platform {

// The folder that holds the running program file (from /proc/self/exe), without a
// trailing "/". Empty when it cannot be read.
std::string ProgramFolder();

// The file of this name in the program's folder; empty when the folder cannot be
// read.
std::string FileNextToProgram(const std::string& name);

// Starts the program file at `path` as a new process with no arguments, never
// through a shell, without waiting for it. The child gets default signal handling.
// Returns false when the process could not be started.
bool StartProgram(const std::string& path);

}  // namespace platform

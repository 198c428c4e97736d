#pragma once

#include <sys/types.h>

#include <chrono>
#include <string>
#include <vector>

namespace veyora::frontend {

// A program started by this one (the renderer for a run, or a run for the idle
// watch): its process, watched without blocking, reaped once it has ended, and
// ended when this program ends it.
class ChildProgram {
 public:
  // Starts the program; one that cannot be started counts as ended, and is reported
  // as "cannot start <what> <path>".
  ChildProgram(const std::string& what, const std::string& path,
               const std::vector<std::string>& arguments = {});
  ChildProgram(const ChildProgram&) = delete;
  ChildProgram& operator=(const ChildProgram&) = delete;

  // True while the process runs; reaps it once it has ended.
  bool Running();
  // Asks the process to end (SIGTERM) and waits for it up to `patience`; then
  // kills it outright.
  void End(std::chrono::milliseconds patience);

 private:
  pid_t pid_ = 0;
};

}  // namespace veyora::frontend

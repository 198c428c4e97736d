#pragma once

#include <sys/types.h>

#include <chrono>
#include <string>
#include <vector>

namespace veyora::frontend {

// The renderer program started for a run: its process, watched without blocking,
// reaped once it has ended, and ended when the run itself is ended from outside.
class RendererProcess {
 public:
  // Starts the program; a program that cannot be started counts as ended.
  RendererProcess(const std::string& path, const std::vector<std::string>& arguments = {});
  RendererProcess(const RendererProcess&) = delete;
  RendererProcess& operator=(const RendererProcess&) = delete;

  // True while the process runs; reaps it once it has ended.
  bool Running();
  // Asks the process to end (SIGTERM) and waits for it up to `patience`; then
  // kills it outright.
  void End(std::chrono::milliseconds patience);

 private:
  pid_t pid_ = 0;
};

}  // namespace veyora::frontend

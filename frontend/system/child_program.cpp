#include "frontend/system/child_program.h"

#include <signal.h>
#include <sys/wait.h>

#include <thread>

#include "frontend/system/failure_report.h"
#include "frontend/system/program_files.h"

namespace veyora::frontend {

ChildProgram::ChildProgram(const std::string& what, const std::string& path,
                           const std::vector<std::string>& arguments)
    : pid_(StartProgram(path, arguments)) {
  if (pid_ == 0) ReportFailure("cannot start " + what + " " + path);
}

bool ChildProgram::Running() {
  if (pid_ == 0) return false;
  int status = 0;
  if (waitpid(pid_, &status, WNOHANG) == 0) return true;
  pid_ = 0;
  return false;
}

void ChildProgram::End(std::chrono::milliseconds patience) {
  if (!Running()) return;
  kill(pid_, SIGTERM);
  const auto deadline = std::chrono::steady_clock::now() + patience;
  while (Running() && std::chrono::steady_clock::now() < deadline) {
    std::this_thread::sleep_for(std::chrono::milliseconds(5));
  }
  if (!Running()) return;
  kill(pid_, SIGKILL);
  waitpid(pid_, nullptr, 0);
  pid_ = 0;
}

}  // namespace veyora::frontend

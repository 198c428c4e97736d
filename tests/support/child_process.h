#pragma once

#include <sys/types.h>

#include <functional>
#include <map>
#include <optional>
#include <string>
#include <vector>

namespace testsupport {

// One program started by a test, with its own environment additions. Killed on
// destruction if it is still running. `inChild`, when given, runs in the new
// process just before the program starts (to take on another account, say).
class ChildProcess {
 public:
  ChildProcess(const std::string& path, const std::vector<std::string>& args,
               const std::map<std::string, std::string>& env = {},
               const std::function<void()>& inChild = {});
  ~ChildProcess();
  ChildProcess(const ChildProcess&) = delete;
  ChildProcess& operator=(const ChildProcess&) = delete;

  pid_t Pid() const { return pid_; }
  bool Started() const { return pid_ > 0; }
  // Exit status once it has ended within `timeoutMs`; -signal when killed by a
  // signal; nullopt while it still runs.
  std::optional<int> WaitExit(int timeoutMs);
  bool Running();
  void Signal(int sig);

 private:
  pid_t pid_ = -1;
  std::optional<int> status_;
};

// Processes running the program file at `path` (ended ones not yet reaped left out).
std::vector<pid_t> RunningProcessesOf(const std::string& path);

// A process's state letter from /proc ('R', 'S', 'T' when stopped, 'Z' when ended
// and not yet reaped, ...); 0 when it cannot be read.
char ProcessState(pid_t pid);

// The processes `pid` started that still exist.
std::vector<pid_t> ChildrenOf(pid_t pid);

// A size line of a process's /proc status, such as "VmHWM" (peak resident) or
// "VmRSS", in KiB; 0 when it cannot be read.
long ProcessStatusKiB(pid_t pid, const std::string& field);

// A process's CPU time so far, user and system, in seconds; 0 when it cannot be read.
double ProcessCpuSeconds(pid_t pid);

// The folder that holds both built programs.
std::string ProgramDir();
std::string FrontEndPath();
std::string RendererPath();

}  // namespace testsupport

#pragma once

#include <functional>
#include <map>
#include <optional>
#include <string>
#include <vector>

namespace testsupport {

// What a program run to its end wrote on standard output, and its exit status
// (nullopt when it did not end within the deadline and was killed).
struct CapturedRun {
  std::optional<int> status;
  std::string output;
  bool Succeeded() const { return status == 0; }
};

// Runs the program (a bare name is one in /usr/bin) to its end, with these environment additions
// and `inChild` run in the new process before it starts, as for ChildProcess.
CapturedRun RunToEnd(const std::string& program, const std::vector<std::string>& args,
                     const std::map<std::string, std::string>& env = {},
                     const std::function<void()>& inChild = {}, int timeoutMs = 60000);

}  // namespace testsupport

#include "tests/support/captured_run.h"

#include <poll.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>

#include "tests/support/child_process.h"

namespace testsupport {

CapturedRun RunToEnd(const std::string& program, const std::vector<std::string>& args,
                     const std::map<std::string, std::string>& env,
                     const std::function<void()>& inChild, int timeoutMs) {
  CapturedRun run;
  int fds[2];
  if (pipe(fds) != 0) return run;
  const std::string path = program.find('/') == std::string::npos ? "/usr/bin/" + program : program;
  ChildProcess child(path, args, env, [&] {
    dup2(fds[1], STDOUT_FILENO);
    close(fds[0]);
    close(fds[1]);
    if (inChild) inChild();
  });
  close(fds[1]);
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
  char buffer[65536];
  while (true) {
    const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
        deadline - std::chrono::steady_clock::now());
    pollfd readable{fds[0], POLLIN, 0};
    if (left.count() <= 0 || poll(&readable, 1, static_cast<int>(left.count())) <= 0) break;
    const ssize_t got = read(fds[0], buffer, sizeof buffer);
    if (got <= 0) break;
    run.output.append(buffer, static_cast<size_t>(got));
  }
  close(fds[0]);
  const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
      deadline - std::chrono::steady_clock::now());
  run.status = child.WaitExit(std::max<int>(0, static_cast<int>(left.count())));
  return run;
}

}  // namespace testsupport

#pragma once

#include <sys/types.h>

#include <string>

namespace testsupport {

// A private virtual X server for one test: picks a free display number itself,
// and is killed when the object goes.
class XvfbServer {
 public:
  XvfbServer(int width = 1280, int height = 1024);
  ~XvfbServer();
  XvfbServer(const XvfbServer&) = delete;
  XvfbServer& operator=(const XvfbServer&) = delete;

  bool Running() const { return pid_ > 0 && !display_.empty(); }
  // The DISPLAY value, such as ":12".
  const std::string& Display() const { return display_; }
  // The server's process, for benchmarks that count its CPU time.
  pid_t Pid() const { return pid_; }

 private:
  pid_t pid_ = -1;
  std::string display_;
};

}  // namespace testsupport

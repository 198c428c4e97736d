#include "tests/support/weston_session.h"

#include <unistd.h>

#include <regex>

#include "tests/support/x_wait.h"

namespace testsupport {

namespace {

constexpr int kStartMs = 60000;
constexpr char kSocket[] = "wayland-veyora";

}  // namespace

WestonSession::WestonSession() {
  StartCompositor({"weston", "--backend=headless-backend.so", "--use-pixman", "--xwayland",
                   "--socket=" + std::string(kSocket), "--width=" + std::to_string(kOutputWidth),
                   "--height=" + std::to_string(kOutputHeight)},
                  {});
  // weston names its XWayland display only in its log.
  const std::regex listening("xserver listening on display (:[0-9]+)");
  std::smatch found;
  std::string log;
  const bool started = WaitUntil(
      [&] {
        log = Log();
        return std::regex_search(log, found, listening) || !CompositorRunning();
      },
      kStartMs);
  const std::string socket = runtime_ + "/" + kSocket;
  if (!started || found.empty() || access(socket.c_str(), F_OK) != 0) return;
  SetDisplays(kSocket, found[1].str());
  SetRunning(true);
}

}  // namespace testsupport

#pragma once

#include <map>
#include <optional>
#include <string>

#include "tests/support/compositor_session.h"
#include "tests/support/logind_stand_in.h"
#include "tests/support/private_bus.h"

namespace testsupport {

// KDE's compositor KWin 5.27 with its screen locker, headless (one virtual output of
// kOutputWidth x kOutputHeight), XWayland, its own session bus, and a system bus
// with a logind stand-in, as in a Plasma session.
class KWinSession : public CompositorSession {
 public:
  static constexpr int kOutputWidth = 1280;
  static constexpr int kOutputHeight = 720;
  KWinSession();

  const PrivateBus& SessionBus() const { return sessionBus_; }
  const LogindStandIn& Logind() const { return logind_; }

  // Locks the screen as Plasma's idle timeout or Meta+L does.
  bool Lock() const;
  // Whether the screen locker is up; nullopt when it does not answer.
  std::optional<bool> Locked() const;

 private:
  bool WaitForStart();
  std::map<std::string, std::string> SessionVariables() const;

  PrivateBus systemBus_;
  PrivateBus sessionBus_;
  LogindStandIn logind_;
};

}  // namespace testsupport

#pragma once

#include <map>
#include <optional>
#include <string>
#include <vector>

#include "tests/support/compositor_session.h"
#include "tests/support/logind_stand_in.h"
#include "tests/support/ppm_picture.h"
#include "tests/support/private_bus.h"

namespace testsupport {

// The real GNOME Shell, headless, as after log-in: one virtual monitor of
// kOutputWidth x kOutputHeight unless told more, side by side, XWayland unless
// told otherwise (mutter's --no-x11), its own session bus, and a system bus
// with the logind and display-manager stand-ins the shell needs for its lock screen
// (org.gnome.ScreenSaver). It starts in the Activities overview, as every GNOME
// session does.
class GnomeShellSession : public CompositorSession {
 public:
  static constexpr int kOutputWidth = 1280;
  static constexpr int kOutputHeight = 720;
  explicit GnomeShellSession(XWayland xwayland = XWayland::Enabled, int monitors = 1);

  const PrivateBus& SessionBus() const { return sessionBus_; }
  const LogindStandIn& Logind() const { return logind_; }

  // Whether the overview (or the application grid) is shown; nullopt when the
  // shell does not answer.
  std::optional<bool> OverviewShown() const;
  bool ShowOverview(bool shown) const;
  // The application grid, as the dock's button or Super+A shows it.
  bool ShowApplications() const;

  // Turns the first `count` monitors on and the others off, as the display settings
  // do: the outputs of those turned off leave the compositor, as unplugged ones do.
  bool UseMonitors(int count) const;

  // Locks the screen as the desktop's own idle chain or Super+L does.
  bool Lock() const;
  // Whether the lock screen (or the shield) is up; nullopt when nobody answers.
  std::optional<bool> Locked() const;

  // What the monitor shows now; empty when it cannot be read.
  Picture Screenshot() const;
  // Key presses and releases (X keysyms, such as 0x61 for "a") and a relative pointer
  // movement, through mutter's remote-desktop input, as a keyboard and a mouse make
  // them.
  bool TypeKeys(const std::vector<unsigned>& keysyms) const;
  bool MovePointer(double dx, double dy) const;

 private:
  bool WaitForStart();
  std::string WaylandName() const;
  // What the shell and the programs in it learn their session from.
  std::map<std::string, std::string> SessionVariables() const;
  CapturedRun Tool(const std::vector<std::string>& args) const;

  XWayland xwayland_;
  PrivateBus systemBus_;
  PrivateBus sessionBus_;
  LogindStandIn logind_;
  MockService displayManager_;
};

}  // namespace testsupport

#include "frontend/desktop/gnome_shell_overview.h"

#include <chrono>
#include <thread>

#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QDBusVariant>

#include "frontend/desktop/bus_calls.h"

namespace veyora::frontend {

namespace {

constexpr char kShell[] = "org.gnome.Shell";
constexpr char kShellPath[] = "/org/gnome/Shell";
constexpr char kOverviewShown[] = "OverviewActive";
// The overview's closing animation takes a quarter of a second; a slow machine is
// given more, but never so long that the run seems not to start.
constexpr std::chrono::milliseconds kClosingLimit{3000};
constexpr std::chrono::milliseconds kClosingLook{50};

}  // namespace

bool LeaveGnomeShellOverview() {
  const QDBusConnection bus = QDBusConnection::sessionBus();
  if (!bus.isConnected() || !bus.interface()->isServiceRegistered(kShell).value()) return false;
  const auto shown = BusProperty(bus, kShell, kShellPath, kShell, kOverviewShown);
  if (!shown || !shown->toBool()) return false;
  // The shell lets any client set the property; it then leaves the overview as a
  // key press of Escape or Super would.
  const QDBusMessage reply =
      CallOnBus(bus, kShell, kShellPath, "org.freedesktop.DBus.Properties", "Set",
                {kShell, kOverviewShown, QVariant::fromValue(QDBusVariant(false))});
  if (reply.type() != QDBusMessage::ReplyMessage) return false;
  // The overview counts as shown until its closing animation has ended, and a
  // window that opens before then does not get the keyboard.
  const auto deadline = std::chrono::steady_clock::now() + kClosingLimit;
  while (std::chrono::steady_clock::now() < deadline) {
    const auto still = BusProperty(bus, kShell, kShellPath, kShell, kOverviewShown);
    if (!still || !still->toBool()) break;
    std::this_thread::sleep_for(kClosingLook);
  }
  return true;
}

}  // namespace veyora::frontend

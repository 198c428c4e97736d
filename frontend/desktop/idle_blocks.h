#pragma once

#include <QDBusMessage>
#include <QObject>

#include <functional>

#include "frontend/desktop/desktop_kind.h"

namespace veyora::frontend {

// What keeps the session from counting as idle, whatever its idle time says:
// logind's idle blocks on every desktop (players, presentations and long jobs take
// them, as `systemd-inhibit --what=idle` does), and on KDE PowerDevil's
// inhibitions of the screen's power management, which KDE's
// org.freedesktop.ScreenSaver inhibitors become.
class IdleBlocks : public QObject {
  Q_OBJECT

 public:
  // Follows PowerDevil's changes on KDE. logind tells of none: it is asked.
  explicit IdleBlocks(DesktopKind desktop);

  // Asks now; false where nobody answers.
  bool Held();

  // PowerDevil's inhibitions have changed.
  std::function<void()> onChanged;

 private Q_SLOTS:
  void InhibitionsChanged(const QDBusMessage& change);

 private:
  bool LogindBlocksIdle();
  bool PowerDevilInhibits();

  DesktopKind desktop_;
};

}  // namespace veyora::frontend

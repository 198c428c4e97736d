#include "frontend/idle/idle_source_choice.h"

namespace veyora::frontend {

std::optional<IdleSourceKind> ChooseIdleSource(const IdleSourceOffers& offers) {
  if (offers.waylandIdleNotify) return IdleSourceKind::WaylandIdleNotify;
  if (offers.waylandKdeIdle) return IdleSourceKind::WaylandKdeIdle;
  if (offers.gnomeIdleMonitor) return IdleSourceKind::GnomeIdleMonitor;
  if (offers.xScreenSaver) return IdleSourceKind::XScreenSaver;
  return std::nullopt;
}

const char* IdleSourceName(IdleSourceKind kind) {
  switch (kind) {
    case IdleSourceKind::WaylandIdleNotify:
      return "the compositor's ext-idle-notify-v1 (Wayland)";
    case IdleSourceKind::WaylandKdeIdle:
      return "the compositor's org_kde_kwin_idle (Wayland)";
    case IdleSourceKind::GnomeIdleMonitor:
      return "GNOME's org.gnome.Mutter.IdleMonitor (D-Bus)";
    case IdleSourceKind::XScreenSaver:
      return "the X server's MIT-SCREEN-SAVER extension (X11)";
  }
  return "";
}

}  // namespace veyora::frontend

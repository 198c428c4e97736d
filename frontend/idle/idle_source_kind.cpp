#include "frontend/idle/idle_source_kind.h"

namespace veyora::frontend {

const char* IdleSourceName(IdleSourceKind kind) {
  switch (kind) {
    case IdleSourceKind::WaylandIdleNotify:
      return "the compositor's ext-idle-notify-v1 (Wayland)";
    case IdleSourceKind::WaylandKdeIdle:
      return "the compositor's org_kde_kwin_idle (Wayland)";
    case IdleSourceKind::GnomeIdleMonitor:
      return "GNOME's org.gnome.Mutter.IdleMonitor (D-Bus)";
    case IdleSourceKind::X11ScreenSaver:
      return "the X server's MIT-SCREEN-SAVER extension (X11)";
  }
  return "";
}

}  // namespace veyora::frontend

#pragma once

namespace veyora::frontend {

// Where the session's idle time comes from, in the order they are preferred: the
// desktop's own idle notice honours what holds the screen awake (video players,
// presentations).
enum class IdleSourceKind {
  WaylandIdleNotify,  // ext-idle-notify-v1: current wlroots compositors, KWin 6
  WaylandKdeIdle,     // org_kde_kwin_idle: older wlroots (sway 1.7), KWin 5
  GnomeIdleMonitor,   // org.gnome.Mutter.IdleMonitor on the session bus
  X11ScreenSaver,     // the X server's MIT-SCREEN-SAVER extension
};

// The source as the start-up line names it.
const char* IdleSourceName(IdleSourceKind kind);

}  // namespace veyora::frontend

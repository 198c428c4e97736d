#include "frontend/desktop/lock_sources.h"

namespace veyora::frontend {

std::vector<LockSource> LockSourcesFor(DesktopKind desktop) {
  switch (desktop) {
    case DesktopKind::Gnome:
      return {LockSource::GnomeScreenSaver, LockSource::LogindLockedHint};
    case DesktopKind::Kde:
      return {LockSource::FreedesktopScreenSaver, LockSource::LogindLockedHint};
    case DesktopKind::Other:
      break;
  }
  return {LockSource::LogindLockedHint, LockSource::FreedesktopScreenSaver};
}

const char* LockSourceName(LockSource source) {
  switch (source) {
    case LockSource::GnomeScreenSaver:
      return "GNOME's org.gnome.ScreenSaver";
    case LockSource::FreedesktopScreenSaver:
      return "org.freedesktop.ScreenSaver";
    case LockSource::LogindLockedHint:
      return "logind's LockedHint";
    case LockSource::LogindLockRequest:
      return "logind's Lock request";
  }
  return "";
}

}  // namespace veyora::frontend

#pragma once

#include <optional>

#include "frontend/desktop/desktop_idle_chain.h"
#include "frontend/desktop/desktop_kind.h"

namespace veyora::frontend {

// When GNOME or KDE blanks or locks the screen by itself, read from their settings
// now: GNOME's GSettings through the `gsettings` command (GNOME's own reader,
// which knows the schemas' defaults and the administrator's overrides; GIO itself
// is not among the program's libraries), KDE's kscreenlockerrc under
// $XDG_CONFIG_HOME, then $XDG_CONFIG_DIRS, with KDE's defaults for what none sets.
// nullopt for other desktops, for a desktop that never does, and where the
// settings cannot be read.
std::optional<DesktopIdleChain> ReadDesktopIdleChain(DesktopKind desktop);

}  // namespace veyora::frontend

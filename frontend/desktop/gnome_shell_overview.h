#pragma once

namespace veyora::frontend {

// Hides GNOME Shell's Activities overview (the application grid is part of it)
// when it is shown, as every GNOME session is after log-in: a full-screen window
// that opens while it is shown stays a thumbnail inside it, under the shell's
// search field, which keeps the keyboard. True when the overview was shown and
// has been asked to hide; false where there is no GNOME Shell.
bool LeaveGnomeShellOverview();

}  // namespace veyora::frontend

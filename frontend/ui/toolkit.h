#pragma once

#include <QSize>
#include <QString>

#include "frontend/ui/toolkit_platform.h"

typedef struct _XDisplay Display;

namespace veyora::frontend::ui {

// Starts the widget toolkit once, on the platform ToolkitPlatform gives for
// `windows` (on a Wayland session its Wayland platform, which needs no X server),
// and registers stand-ins for the fonts the windows ask for by their Windows names.
// The program's own switches are not handed to the toolkit. Every window, control
// and service below needs it started; a second call changes nothing.
void StartToolkit(ToolkitWindows windows = ToolkitWindows::OfTheSession);
bool ToolkitStarted();

// True when the toolkit runs on a Wayland compositor, which places the windows
// itself and tells a client neither where its windows are on the screen nor where
// the pointer is outside them.
bool WindowsPlacedByCompositor();

// The toolkit's own Xlib connection; null before the toolkit starts. Requests
// made on it are ordered with the toolkit's own window requests.
Display* ToolkitDisplay();

// Sends the window requests the toolkit has queued to the X server now, so that
// other programs see a window appear or go at once rather than at the next idle
// moment of the event loop.
void FlushWindowRequests();

// A modal message box with only an OK button; returns once it is dismissed.
void ShowMessage(const QString& caption, const QString& text);

// The primary screen's size in twips.
QSize ScreenSizeTwips();

// The screen-wide busy (hourglass) pointer on, or back to the default.
void SetBusyPointer(bool busy);

}  // namespace veyora::frontend::ui

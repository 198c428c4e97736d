#pragma once

#include <QSize>
#include <QString>

namespace ui {

// Starts the widget toolkit once, on the X display of the environment, and
// registers stand-ins for the fonts the windows ask for by their Windows names.
// The program's own switches are not handed to the toolkit. Every window, control
// and service below needs it started.
void StartToolkit();
bool ToolkitStarted();

// A modal message box with only an OK button; returns once it is dismissed.
void ShowMessage(const QString& caption, const QString& text);

// The primary screen's size in twips.
QSize ScreenSizeTwips();

// The screen-wide busy (hourglass) pointer on, or back to the default.
void SetBusyPointer(bool busy);

}  // namespace ui

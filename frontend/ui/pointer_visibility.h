#pragma once

namespace veyora::frontend::ui {

// Process-wide pointer display count, as the screensaver switches expect: each
// hide lowers it by one, each show raises it by one; while it is below 0 the
// pointer is hidden on the whole screen (XFixes on the root window). Returns the
// new count. Without an X server the count still moves but nothing is hidden.
int ShowPointer(bool show);

}  // namespace veyora::frontend::ui

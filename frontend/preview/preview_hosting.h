#pragma once

#include <cstdint>

namespace veyora::frontend {

// Shows the preview window as a child of the pane window `paneHandle`, filling it.
// True when it is shown: the program then lives on its windows' event loop until
// the pane or the preview window is destroyed, which stops the loop. False when
// there is no pane to show it in (a handle of 0, one that names no window, the
// root window), said in one line on standard error, or when the pane has gone.
bool HostPreview(std::uint32_t paneHandle);

}  // namespace veyora::frontend

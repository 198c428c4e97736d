#pragma once

#include <cstdint>

namespace veyora::frontend {

// Shows the preview window as a child of the pane window `paneHandle`, filling it,
// and returns; the program then lives on its event loop until the pane or the
// preview window is destroyed, and ends at once then. A pane handle of 0, or one
// that names no window, ends the program at once, silently.
void HostPreview(std::uint32_t paneHandle);

}  // namespace veyora::frontend

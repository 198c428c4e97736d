#pragma once

namespace veyora {

// Raises the process's nice value by 10, up to the weakest priority there is, so
// that other programs come first. Done when the renderer's window is created.
void LowerPriority();

}  // namespace veyora

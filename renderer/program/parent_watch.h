#pragma once

namespace veyora {

// Asks the kernel for SIGTERM when the process that started the renderer dies, even
// by SIGKILL, so a renderer is never left covering the screen on its own. A parent
// that died before the request is caught too. Needs the termination signals caught.
void EndWithParent();

}  // namespace veyora

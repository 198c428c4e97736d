#pragma once

#include <SDL.h>

#include "renderer/core/renderer_input.h"
#include "renderer/core/surface_motion.h"

namespace veyora {

// What an event asks of the input rules: a key press, a button press or a pointer
// motion (measured over the window it was reported on; the pointer leaving a window
// ends that measure, and the step SDL reports as it leaves is not measured), and a
// close, by the window system or posted by the rules themselves; KeepRunning for
// other events.
InputAction InputEventAction(RendererInput& input, SurfaceMotion& motion, const SDL_Event& event,
                             double now);

// Queues the close request the input rules ask for.
void FollowInputAction(InputAction action);

}  // namespace veyora

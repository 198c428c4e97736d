#pragma once

#include <SDL.h>

#include "renderer/shell/renderer_input.h"
#include "renderer/shell/surface_motion.h"

namespace veyora {

// What a key press, a button press or a pointer motion asks of the input rules, with
// motion measured over the window it was reported on; KeepRunning for other events.
InputAction InputEventAction(RendererInput& input, SurfaceMotion& motion, const SDL_Event& event,
                             double now);

// Queues the close request the input rules ask for.
void FollowInputAction(InputAction action);

}  // namespace veyora

#include "renderer/core/sdl_input_events.h"

namespace veyora {

InputAction InputEventAction(RendererInput& input, SurfaceMotion& motion, const SDL_Event& event,
                             double now) {
  switch (event.type) {
    case SDL_KEYDOWN:
      return input.KeyOrButtonPressed();
    case SDL_MOUSEBUTTONDOWN:
      return EndsOnButton(event.button.button) ? input.KeyOrButtonPressed()
                                               : InputAction::KeepRunning;
    case SDL_MOUSEMOTION:
      if (auto point = motion.Moved(event.motion.windowID, event.motion.x, event.motion.y, now)) {
        return input.MouseMoved(*point);
      }
      return InputAction::KeepRunning;
    case SDL_WINDOWEVENT:
      if (event.window.event == SDL_WINDOWEVENT_CLOSE) return input.CloseRequested();
      if (event.window.event == SDL_WINDOWEVENT_LEAVE) motion.Left(event.window.windowID);
      return InputAction::KeepRunning;
    case SDL_QUIT:  // the window system's close, or one the input rules posted
      return input.CloseRequested();
    default:
      return InputAction::KeepRunning;
  }
}

void FollowInputAction(InputAction action) {
  if (action != InputAction::PostClose) return;
  SDL_Event close{};
  close.type = SDL_QUIT;
  SDL_PushEvent(&close);
}

}  // namespace veyora

#include "renderer/core/sdl_input_events.h"

namespace veyora {

namespace {

// SDL reports where the pointer left a window (on X11 at the window's edge) as a
// motion followed at once by the window's leave event. The step to there is not
// measured: when the X server moves the pointer off a monitor that went, before the
// renderer has closed that monitor's window, the step is the server's jump, not the
// user's movement. A user's real movement goes on over the window entered.
bool ReportsLeaving(const SDL_MouseMotionEvent& motion) {
  SDL_Event next{};
  return SDL_PeepEvents(&next, 1, SDL_PEEKEVENT, SDL_FIRSTEVENT, SDL_LASTEVENT) == 1 &&
         next.type == SDL_WINDOWEVENT && next.window.event == SDL_WINDOWEVENT_LEAVE &&
         next.window.windowID == motion.windowID;
}

}  // namespace

InputAction InputEventAction(RendererInput& input, SurfaceMotion& motion, const SDL_Event& event,
                             double now) {
  switch (event.type) {
    case SDL_KEYDOWN:
      return input.KeyOrButtonPressed();
    case SDL_MOUSEBUTTONDOWN:
      return EndsOnButton(event.button.button) ? input.KeyOrButtonPressed()
                                               : InputAction::KeepRunning;
    case SDL_MOUSEMOTION:
      if (ReportsLeaving(event.motion)) return InputAction::KeepRunning;
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

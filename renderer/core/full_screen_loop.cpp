#include "renderer/core/full_screen_loop.h"

#include <cstdint>

#include "platform/termination_signals.h"
#include "renderer/core/frame_timing.h"
#include "renderer/core/keyboard_focus.h"
#include "renderer/core/renderer_input.h"
#include "renderer/core/sdl_input_events.h"
#include "renderer/core/surface_motion.h"
#include "renderer/gl/gl_sprite_sink.h"

namespace veyora {

namespace {

// The input rules and what they follow while the loop runs.
class LoopInput {
 public:
  LoopInput(ViewSet& views, FullScreenPlatform& platform) : views_(views), platform_(platform) {}

  // Acts on one event; true when the renderer is to end.
  bool Take(const SDL_Event& event) {
    if (event.type == SDL_WINDOWEVENT) NoteWindowEvent(event.window);
    if (event.type == SDL_DISPLAYEVENT) {
      platform_.FollowDisplayEvent(event.display);
      LayoutChanged();
    }
    const InputAction action = InputEventAction(input_, motion_, event, SecondsNow());
    FollowInputAction(action);
    return action == InputAction::EndRenderer;
  }

  // Focus that left all of the windows and went to no window of ours since counts as
  // the renderer being deactivated.
  void FollowFocus() {
    if (focus_.LeftUs(SecondsNow()) && platform_.FocusElsewhere()) {
      FollowInputAction(input_.Deactivated());
    }
  }

  // The views were opened, closed or laid out again: where the pointer stands is
  // taken afresh on every window until things have settled.
  void LayoutChanged() { motion_.WindowsChanged(SecondsNow()); }

  double UntilFocusDecided() const { return focus_.UntilDecided(SecondsNow()); }

 private:
  // The window with this id holds the focus: it counts once the platform says so.
  void NoteFocusHeld(std::uint32_t id) {
    focusedId_ = id;
    View* view = views_.Find(id);
    if (view && platform_.FocusCounts(*view)) focus_.Gained(id);
  }

  void NoteWindowEvent(const SDL_WindowEvent& event) {
    switch (event.event) {
      case SDL_WINDOWEVENT_FOCUS_GAINED:
        NoteFocusHeld(event.windowID);
        break;
      case SDL_WINDOWEVENT_FOCUS_LOST:
        if (focusedId_ == event.windowID) focusedId_ = 0;
        focus_.Lost(event.windowID, SecondsNow());
        break;
      default:
        if (!platform_.FollowWindowEvent(event)) break;
        motion_.WindowsChanged(SecondsNow());
        // The window holding the focus may cover its monitor now.
        if (focusedId_ == event.windowID) NoteFocusHeld(event.windowID);
        break;
    }
  }

  ViewSet& views_;
  FullScreenPlatform& platform_;
  RendererInput input_{ScreenPoint{}};
  // Pointer motion is measured over each window from the positions its events
  // report, never against a global pointer position, which Wayland does not give
  // and which lags behind under XWayland.
  SurfaceMotion motion_;
  KeyboardFocus focus_;
  std::uint32_t focusedId_ = 0;
};

}  // namespace

void RunFullScreenLoop(ViewSet& views, FullScreenPlatform& platform) {
  GlSpriteSink sink;
  LoopInput input(views, platform);
  while (!platform::TerminationRequested()) {
    const double passStart = SecondsNow();
    if (platform.FollowMonitors(passStart)) input.LayoutChanged();
    SDL_Event event;
    bool ended = false;
    while (!ended && SDL_PollEvent(&event)) ended = input.Take(event);
    if (ended || platform::TerminationRequested()) return;
    input.FollowFocus();
    platform.BeforeDrawing(passStart);
    const bool drawn = views.DrawThenPresent(sink);
    platform.AfterPass(drawn, passStart, input.UntilFocusDecided());
  }
}

}  // namespace veyora

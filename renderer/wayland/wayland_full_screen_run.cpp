#include "renderer/wayland/wayland_full_screen_run.h"

#include <SDL.h>
#include <SDL_syswm.h>
#include <wayland-client.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <ctime>
#include <list>
#include <optional>

#include "platform/shared_names.h"
#include "platform/termination_signals.h"
#include "renderer/core/frame_timing.h"
#include "renderer/core/keyboard_focus.h"
#include "renderer/core/process_priority.h"
#include "renderer/core/renderer_input.h"
#include "renderer/core/sdl_input_events.h"
#include "renderer/core/sdl_start.h"
#include "renderer/core/surface_motion.h"
#include "renderer/core/window_drawing.h"
#include "renderer/gl/gl_sprite_sink.h"
#include "renderer/gl/surface_request.h"
#include "renderer/wayland/wayland_probe.h"

namespace veyora {

namespace {

// The longest wait for events, so that a termination signal, which SDL's wait does
// not see, is acted on soon.
constexpr double kLongestWaitSeconds = 0.1;

// One full-screen window on one output, with the glow scene drawn into it when the
// compositor asks for a frame.
struct OutputView {
  SDL_Window* window = nullptr;
  std::uint32_t id = 0;
  wl_surface* surface = nullptr;
  std::optional<WindowDrawing> drawing;
  // The compositor asked for the next frame (or none has been drawn yet).
  bool frameDue = true;
  wl_callback* frameRequest = nullptr;
  // SDL's event that wakes the loop when a frame is asked for.
  std::uint32_t wakeEvent = 0;
  // Drawn in this pass of the loop, to be shown once every due window is drawn.
  bool drawn = false;
};

struct WaylandRenderer {
  // The first output's view first. A list: the frame callbacks hold their view's
  // address.
  std::list<OutputView> views;
  RendererInput input{ScreenPoint{}};
  SurfaceMotion motion;
  KeyboardFocus focus;
};

void FrameAsked(void* data, wl_callback* callback, std::uint32_t /*time*/) {
  auto* view = static_cast<OutputView*>(data);
  wl_callback_destroy(callback);
  view->frameRequest = nullptr;
  view->frameDue = true;
  SDL_Event wake{};
  wake.type = view->wakeEvent;
  SDL_PushEvent(&wake);
}

const wl_callback_listener kFrameListener{FrameAsked};

// Asks the compositor to say when it wants the view's next frame; the request goes
// with the commit of the frame drawn now.
void AskForNextFrame(OutputView& view) {
  view.frameDue = false;
  if (!view.surface) return;
  view.frameRequest = wl_surface_frame(view.surface);
  wl_callback_add_listener(view.frameRequest, &kFrameListener, &view);
}

wl_surface* SurfaceOf(SDL_Window* window) {
  SDL_SysWMinfo info{};
  SDL_VERSION(&info.version);
  if (!SDL_GetWindowWMInfo(window, &info) || info.subsystem != SDL_SYSWM_WAYLAND) return nullptr;
  return info.info.wl.surface;
}

// A full-screen window on SDL's display `index`, at that display's size.
SDL_Window* CreateOutputWindow(int index, const char* title) {
  SDL_Rect bounds{};
  if (SDL_GetDisplayBounds(index, &bounds) != 0) return nullptr;
  return SDL_CreateWindow(
      title, SDL_WINDOWPOS_UNDEFINED_DISPLAY(index), SDL_WINDOWPOS_UNDEFINED_DISPLAY(index),
      bounds.w, bounds.h,
      SDL_WINDOW_OPENGL | SDL_WINDOW_FULLSCREEN_DESKTOP | SDL_WINDOW_BORDERLESS | SDL_WINDOW_SHOWN);
}

// Creates the view of every output, the first one's first. False when the first
// cannot be made; another output's window that cannot be made is left out.
bool OpenViews(WaylandRenderer& r, std::uint32_t wakeEvent) {
  RequestEquivalentSurface();
  const auto seed = static_cast<std::uint32_t>(std::time(nullptr));
  for (int i = 0; i < SDL_GetNumVideoDisplays(); ++i) {
    const bool first = r.views.empty();
    SDL_Window* window = CreateOutputWindow(i, first ? names::kRendererTitle : "");
    if (!window) {
      if (first) return false;
      continue;
    }
    OutputView& view = r.views.emplace_back();
    view.window = window;
    view.id = SDL_GetWindowID(window);
    view.surface = SurfaceOf(window);
    view.wakeEvent = wakeEvent;
    if (first) {
      SDL_ShowCursor(SDL_DISABLE);
      LowerPriority();
    }
    view.drawing.emplace(window, seed + static_cast<std::uint32_t>(i));
    // The compositor's frame requests pace the drawing; the swap must not wait too.
    if (view.drawing->HasContext()) SDL_GL_SetSwapInterval(0);
  }
  return !r.views.empty();
}

void CloseViews(WaylandRenderer& r) {
  for (OutputView& view : r.views) {
    if (view.frameRequest) wl_callback_destroy(view.frameRequest);
    view.drawing.reset();
    SDL_DestroyWindow(view.window);
  }
  r.views.clear();
}

OutputView* ViewWithId(WaylandRenderer& r, std::uint32_t id) {
  for (OutputView& view : r.views) {
    if (view.id == id) return &view;
  }
  return nullptr;
}

// The window's drawing follows the size the compositor gave it.
void FollowSize(WaylandRenderer& r, std::uint32_t id) {
  OutputView* view = ViewWithId(r, id);
  if (!view || !view->drawing) return;
  int width = 0, height = 0;
  SDL_GL_GetDrawableSize(view->window, &width, &height);
  if (width > 0 && height > 0) view->drawing->Resize(width, height);
}

// Follows the focus and the windows' sizes.
void NoteWindowEvent(WaylandRenderer& r, const SDL_WindowEvent& event, double now) {
  switch (event.event) {
    case SDL_WINDOWEVENT_FOCUS_GAINED:
      r.focus.Gained(event.windowID);
      break;
    case SDL_WINDOWEVENT_FOCUS_LOST:
      r.focus.Lost(event.windowID, now);
      break;
    case SDL_WINDOWEVENT_SIZE_CHANGED:
      r.motion.WindowsChanged(now);
      FollowSize(r, event.windowID);
      break;
  }
}

// Acts on one event; true when the renderer is to end.
bool HandleEvent(WaylandRenderer& r, const SDL_Event& event, double now) {
  if (event.type == SDL_WINDOWEVENT) NoteWindowEvent(r, event.window, now);
  const InputAction action = InputEventAction(r.input, r.motion, event, now);
  FollowInputAction(action);
  return action == InputAction::EndRenderer;
}

bool AnyFrameDue(const WaylandRenderer& r) {
  return std::any_of(r.views.begin(), r.views.end(), [](const OutputView& v) {
    return v.frameDue && v.drawing && v.drawing->HasContext();
  });
}

// Waits for events while no window has a frame due, then handles every waiting event
// and draws each window whose frame the compositor asked for, until input or a
// termination signal ends it.
void RunFrameLoop(WaylandRenderer& r) {
  GlSpriteSink sink;
  while (!platform::TerminationRequested()) {
    double now = SecondsNow();
    SDL_Event event;
    bool ended = false;
    if (!AnyFrameDue(r)) {
      const double wait = std::min(kLongestWaitSeconds, r.focus.UntilDecided(now));
      if (SDL_WaitEventTimeout(&event, static_cast<int>(std::ceil(wait * 1e3)) + 1)) {
        ended = HandleEvent(r, event, SecondsNow());
      }
    }
    while (!ended && SDL_PollEvent(&event)) ended = HandleEvent(r, event, SecondsNow());
    if (ended || platform::TerminationRequested()) return;
    now = SecondsNow();
    if (r.focus.LeftUs(now)) FollowInputAction(r.input.Deactivated());
    // Every due window's frame is drawn before any is shown, so the driver draws
    // them side by side.
    for (OutputView& view : r.views) {
      view.drawn = view.frameDue && view.drawing && view.drawing->HasContext();
      if (!view.drawn) continue;
      AskForNextFrame(view);
      view.drawing->DrawFrame(sink);
    }
    for (OutputView& view : r.views) {
      if (view.drawn) view.drawing->Present();
    }
  }
}

}  // namespace

std::optional<int> RunWaylandFullScreen() {
  if (!WaylandVideoStarts()) return std::nullopt;
  // The compositor's window rules and the tests know the windows by this name.
  SDL_setenv("SDL_VIDEO_WAYLAND_WMCLASS", names::kRendererClass, 1);
  PrepareSdlStart(VideoDriver::Wayland);
  if (SDL_Init(SDL_INIT_VIDEO) != 0) return std::nullopt;
  WaylandRenderer r;
  if (!OpenViews(r, SDL_RegisterEvents(1))) {
    CloseViews(r);
    SDL_Quit();
    return std::nullopt;
  }
  RunFrameLoop(r);
  CloseViews(r);
  SDL_Quit();
  return 0;
}

}  // namespace veyora

#include "renderer/x11/x11_full_screen_run.h"

#include <SDL.h>
#include <SDL_syswm.h>

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <ctime>
#include <list>
#include <optional>
#include <vector>

#include "platform/shared_names.h"
#include "platform/termination_signals.h"
#include "platform/window_search.h"
#include "renderer/core/frame_pacer.h"
#include "renderer/core/frame_timing.h"
#include "renderer/core/keyboard_focus.h"
#include "renderer/core/monitor_layout.h"
#include "renderer/core/process_priority.h"
#include "renderer/core/renderer_input.h"
#include "renderer/core/sdl_input_events.h"
#include "renderer/core/sdl_start.h"
#include "renderer/core/surface_motion.h"
#include "renderer/core/wait_for_input.h"
#include "renderer/core/window_drawing.h"
#include "renderer/gl/gl_sprite_sink.h"
#include "renderer/x11/glx_pixel_formats.h"
#include "renderer/x11/x11_already_running.h"
#include "renderer/x11/x11_screen_watch.h"
#include "renderer/x11/x11_server_monitors.h"
#include "renderer/x11/x11_window_placement.h"

namespace veyora {

namespace {

// One window of the renderer, covering one monitor, with the glow scene drawn into
// it. A window that got no OpenGL context shows nothing, while input still ends the
// renderer.
struct MonitorView {
  SDL_Window* window = nullptr;
  std::uint32_t id = 0;
  Window xWindow = 0;
  std::optional<WindowDrawing> drawing;
  // A frame was drawn into it this time round.
  bool drawn = false;
};

// The renderer's state while its windows exist.
struct Renderer {
  // The primary monitor's view first.
  std::list<MonitorView> views;
  std::vector<ViewPlacement> placements;
  // The descriptor of SDL's own X connection, on which its events arrive.
  int sdlConnection = -1;
  RendererInput input{ScreenPoint{}};
  // Pointer motion is measured over each window from the positions its events
  // report, never against the global pointer position, which lags behind under
  // XWayland; a window the window manager moves or resizes starts afresh.
  SurfaceMotion motion;
  // The focus counts as held only while the window holding it covers a monitor, so
  // a window manager that takes it back before showing the window, or shows the
  // window tiled first, does not end the run.
  KeyboardFocus focus;
  std::uint32_t focusedId = 0;
  // The primary window's swap waits for the display.
  bool swapWaits = false;
};

// What X says about an SDL window: its window, and SDL's connection.
SDL_SysWMinfo XInfoOf(SDL_Window* window) {
  SDL_SysWMinfo info{};
  SDL_VERSION(&info.version);
  if (!SDL_GetWindowWMInfo(window, &info)) info.info.x11 = {};
  return info;
}

// SDL settings of the full-screen windows, in place before SDL starts.
void PrepareSdl() {
  // Losing the focus ends the renderer; it must not iconify the window first.
  SDL_SetHint(SDL_HINT_VIDEO_MINIMIZE_ON_FOCUS_LOSS, "0");
  // A click ends the renderer even when it comes right after a focus change, which
  // SDL would otherwise take for a click that only focuses the window.
  SDL_SetHint(SDL_HINT_MOUSE_FOCUS_CLICKTHROUGH, "1");
  // SDL's X11 window takes both parts of WM_CLASS from this variable.
  setenv("SDL_VIDEO_X11_WMCLASS", names::kRendererClass, 1);
}

// The rectangles of SDL's displays, in SDL's order.
std::vector<platform::ScreenRect> SdlDisplays() {
  std::vector<platform::ScreenRect> displays;
  for (int i = 0; i < SDL_GetNumVideoDisplays(); ++i) {
    SDL_Rect b{};
    if (SDL_GetDisplayBounds(i, &b) == 0) displays.push_back({b.x, b.y, b.x + b.w, b.y + b.h});
  }
  return displays;
}

// A borderless, always-on-top window covering the view's monitor at its current
// size, full screen where SDL has a display of exactly that size; the display mode
// is never changed. It is made hidden, to be placed before it is shown. When the
// server's format cannot make the window, the equivalent request is tried, and kept
// for the windows that follow.
SDL_Window* CreateViewWindow(const ViewPlacement& place, const char* title, bool& serverFormat) {
  Uint32 flags =
      SDL_WINDOW_OPENGL | SDL_WINDOW_BORDERLESS | SDL_WINDOW_ALWAYS_ON_TOP | SDL_WINDOW_HIDDEN;
  if (place.fullscreen) flags |= SDL_WINDOW_FULLSCREEN_DESKTOP;
  const platform::ScreenRect& at = place.rect;
  SDL_Window* window = SDL_CreateWindow(title, at.left, at.top, at.Width(), at.Height(), flags);
  if (!window && serverFormat) {
    RequestEquivalentPixelFormat();
    serverFormat = false;
    window = SDL_CreateWindow(title, at.left, at.top, at.Width(), at.Height(), flags);
  }
  return window;
}

// The scene drawn into a view's window. Vertical sync where the driver offers it,
// on the primary monitor only: the other windows' swaps must not wait for a refresh
// each. True when the window's swap is to wait for the display; frames are paced by
// hand where nothing waits.
bool SetUpDrawing(MonitorView& view, bool primary, std::uint32_t seed) {
  view.drawing.emplace(view.window, seed);
  return view.drawing->HasContext() && SDL_GL_SetSwapInterval(primary ? 1 : 0) == 0 && primary;
}

// Shows the window, full screen on its own monitor where the window manager honours
// that: asked before it is mapped and once more after.
void ShowOnItsMonitor(Display* display, const MonitorView& view, const ViewPlacement& place) {
  const std::optional<long> monitor =
      place.fullscreen ? XineramaIndexOf(display, place.rect) : std::nullopt;
  if (monitor) AskFullScreenOnMonitor(display, view.xWindow, *monitor, false);
  SDL_ShowWindow(view.window);
  if (monitor) AskFullScreenOnMonitor(display, view.xWindow, *monitor, true);
}

// The set-up while the primary window is being created: pointer, title, priority,
// OpenGL, scene.
void SetUpPrimaryWindow(Renderer& r, MonitorView& view, std::uint32_t seed) {
  SDL_ShowCursor(SDL_DISABLE);
  SDL_SetWindowTitle(view.window, names::kRendererTitle);
  LowerPriority();
  r.swapWaits = SetUpDrawing(view, true, seed);
}

// Creates and sets up the window of every placement, the primary first. False when
// the primary window cannot be made; another monitor's window that cannot be made
// is left out.
bool OpenViews(Renderer& r, const std::vector<ViewPlacement>& placements, Display* display) {
  bool serverFormat = RequestPixelFormat(display);
  const auto seed = static_cast<std::uint32_t>(std::time(nullptr));
  for (const ViewPlacement& place : placements) {
    const char* title = place.primary ? names::kRendererCreationTitle : nullptr;
    SDL_Window* window = CreateViewWindow(place, title, serverFormat);
    if (!window) {
      if (place.primary) return false;
      continue;
    }
    MonitorView& view = r.views.emplace_back();
    view.window = window;
    view.id = SDL_GetWindowID(window);
    const SDL_SysWMinfo x = XInfoOf(window);
    view.xWindow = x.info.x11.window;
    if (x.info.x11.display) r.sdlConnection = ConnectionNumber(x.info.x11.display);
    ShowOnItsMonitor(display, view, place);
    if (place.primary) {
      SetUpPrimaryWindow(r, view, seed);
    } else {
      SetUpDrawing(view, false, seed + place.seedOffset);
    }
  }
  return !r.views.empty();
}

void CloseViews(Renderer& r) {
  for (MonitorView& view : r.views) {
    view.drawing.reset();
    SDL_DestroyWindow(view.window);
  }
  r.views.clear();
}

// True when the keyboard focus is on one of the renderer's own windows, as when it
// moves from one monitor's window to another's.
bool FocusStaysWithUs(const Renderer& r, Display* display) {
  Window focus = 0;
  int revertTo = 0;
  XGetInputFocus(display, &focus, &revertTo);
  return std::any_of(r.views.begin(), r.views.end(),
                     [&](const MonitorView& v) { return v.xWindow == focus; });
}

// The window with this id holds the focus: it counts once the window covers a
// monitor.
void NoteFocusHeld(Renderer& r, Display* display, std::uint32_t id) {
  r.focusedId = id;
  for (const MonitorView& view : r.views) {
    if (view.id == id &&
        CoversAMonitor(platform::WindowScreenRect(display, view.xWindow), r.placements)) {
      r.focus.Gained(id);
    }
  }
}

// Follows the focus and the windows' placement.
void NoteWindowEvent(Renderer& r, Display* display, const SDL_WindowEvent& event) {
  switch (event.event) {
    case SDL_WINDOWEVENT_FOCUS_GAINED:
      NoteFocusHeld(r, display, event.windowID);
      break;
    case SDL_WINDOWEVENT_FOCUS_LOST:
      if (r.focusedId == event.windowID) r.focusedId = 0;
      r.focus.Lost(event.windowID, SecondsNow());
      break;
    case SDL_WINDOWEVENT_SHOWN:
    case SDL_WINDOWEVENT_MOVED:
    case SDL_WINDOWEVENT_SIZE_CHANGED:
    case SDL_WINDOWEVENT_MINIMIZED:
    case SDL_WINDOWEVENT_MAXIMIZED:
    case SDL_WINDOWEVENT_RESTORED:
      r.motion.WindowsChanged(SecondsNow());
      if (r.focusedId == event.windowID) NoteFocusHeld(r, display, event.windowID);
      break;
  }
}

// Acts on one event; true when the renderer is to end.
bool HandleEvent(Renderer& r, Display* display, const SDL_Event& event) {
  if (event.type == SDL_WINDOWEVENT) NoteWindowEvent(r, display, event.window);
  const InputAction action = InputEventAction(r.input, r.motion, event, SecondsNow());
  FollowInputAction(action);
  return action == InputAction::EndRenderer;
}

// Hands the renderer's own connection's events to the watch and lets it ask the
// server again when that is due.
void FollowScreen(Display* display, X11ScreenWatch& watch, double now) {
  while (XPending(display)) {
    XEvent event;
    XNextEvent(display, &event);
    watch.Note(event);
  }
  watch.Poll(now);
}

// Handles every waiting event, then draws and presents one frame in each window
// whose picture can be seen, until input or a termination signal ends it. While
// nothing can be seen it sleeps until an event arrives or the screen is to be
// checked again.
void RunFrameLoop(Renderer& r, Display* display, X11ScreenWatch& watch) {
  GlSpriteSink sink;
  SDL_DisplayMode mode{};
  const int shownOn = SDL_GetWindowDisplayIndex(r.views.front().window);
  const double period = RefreshPeriod(
      SDL_GetCurrentDisplayMode(shownOn < 0 ? 0 : shownOn, &mode) == 0 ? mode.refresh_rate : 0);
  FramePacer pacer(period, r.swapWaits);
  while (!platform::TerminationRequested()) {
    const double frameStart = SecondsNow();
    SDL_Event event;
    bool ended = false;
    while (!ended && SDL_PollEvent(&event)) ended = HandleEvent(r, display, event);
    if (ended || platform::TerminationRequested()) return;
    // Focus that left all of our windows and went to no window of ours since.
    if (r.focus.LeftUs(frameStart) && !FocusStaysWithUs(r, display)) {
      FollowInputAction(r.input.Deactivated());
    }
    FollowScreen(display, watch, frameStart);
    bool drawn = false;
    for (MonitorView& view : r.views) {
      view.drawn = view.drawing->HasContext() && watch.Seen(view.xWindow);
      if (view.drawn) view.drawing->DrawFrame(sink);
      drawn = drawn || view.drawn;
    }
    // Shown only once every window's frame is drawn, so the software rasterizer
    // draws them side by side instead of one after the other.
    for (MonitorView& view : r.views) {
      if (view.drawn) view.drawing->Present();
    }
    if (drawn) {
      pacer.FrameStarted(frameStart);
      SleepSeconds(pacer.DelayBefore(SecondsNow()));
    } else {
      const double now = SecondsNow();
      WaitForInput({r.sdlConnection, ConnectionNumber(display)},
                   std::min(watch.UntilNextPoll(now), r.focus.UntilDecided(now)));
    }
  }
}

}  // namespace

int RunX11FullScreen(Display* display) {
  if (RaiseRunningScreensaver(display)) return 0;
  PrepareSdl();
  if (!StartSdlVideo(VideoDriver::X11)) return 1;
  Renderer r;
  r.placements = LayOutViews(ServerMonitors(display), SdlDisplays());
  if (!OpenViews(r, r.placements, display)) {
    ReportSdlFailure("cannot create the window");
    CloseViews(r);
    SDL_Quit();
    return 1;
  }
  SDL_Window* primary = r.views.front().window;
  SDL_RaiseWindow(primary);
  // A window manager gives the focus to the window it shows, and takes back focus a
  // client sets itself on a window it has not shown yet; without one, nobody else
  // would give it.
  if (!WindowManagerRunning(display)) SDL_SetWindowInputFocus(primary);
  X11ScreenWatch watch(display);
  for (const MonitorView& view : r.views) watch.Watch(view.xWindow);
  watch.WakeActiveSaver();
  RunFrameLoop(r, display, watch);
  CloseViews(r);
  SDL_Quit();
  return 0;
}

}  // namespace veyora

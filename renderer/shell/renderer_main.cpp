#include "renderer/shell/renderer_main.h"

#include <SDL.h>
#include <SDL_syswm.h>
#include <sys/resource.h>
#include <time.h>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <optional>

#include "platform/shared_names.h"
#include "platform/x_connection.h"
#include "renderer/gl/gl_setup.h"
#include "renderer/gl/gl_sprite_sink.h"
#include "renderer/gl/glx_pixel_formats.h"
#include "renderer/gl/picture_buffer.h"
#include "renderer/gl/render_frame.h"
#include "renderer/gl/view_geometry.h"
#include "renderer/scene/glow_scene.h"
#include "renderer/shell/already_running.h"
#include "renderer/shell/frame_pacer.h"
#include "renderer/shell/renderer_input.h"
#include "renderer/shell/screen_watch.h"
#include "renderer/shell/termination.h"

namespace veyora {

namespace {

// Added to the nice value when the window is created, so other programs come first.
constexpr int kPriorityDrop = 10;

void ReportFailure(const char* what) {
  std::fprintf(stderr, "%s: %s: %s\n", names::kRendererFile, what, SDL_GetError());
}

double SecondsNow() {
  using Clock = std::chrono::steady_clock;
  return std::chrono::duration<double>(Clock::now().time_since_epoch()).count();
}

void SleepSeconds(double seconds) {
  if (seconds <= 0.0) return;
  timespec wait{};
  wait.tv_sec = static_cast<time_t>(seconds);
  wait.tv_nsec = static_cast<long>((seconds - static_cast<double>(wait.tv_sec)) * 1e9);
  nanosleep(&wait, nullptr);
}

// At least one millisecond, so a wait never turns into a busy poll.
int WholeMilliseconds(double seconds) { return std::max(1, static_cast<int>(std::ceil(seconds * 1e3))); }

// Raises the process's nice value, up to the weakest priority there is.
void LowerPriority() {
  constexpr int kWeakestNice = 19;
  errno = 0;
  const int current = getpriority(PRIO_PROCESS, 0);
  if (errno == 0) setpriority(PRIO_PROCESS, 0, std::min(current + kPriorityDrop, kWeakestNice));
}

ScreenPoint GlobalCursorPos() {
  ScreenPoint p;
  SDL_GetGlobalMouseState(&p.x, &p.y);
  return p;
}

// The renderer's state while its window exists.
struct Renderer {
  SDL_Window* window = nullptr;
  Window xWindow = 0;
  SDL_GLContext context = nullptr;
  std::optional<PictureBuffer> picture;
  std::optional<GlowScene> scene;
  bool renderingEnabled = false;
  RendererInput input{ScreenPoint{}};
  int width = 0;
  int height = 0;
};

// The X window under an SDL window.
Window XWindowOf(SDL_Window* window) {
  SDL_SysWMinfo info;
  SDL_VERSION(&info.version);
  return SDL_GetWindowWMInfo(window, &info) ? info.info.x11.window : 0;
}

// SDL settings that must be in place before SDL starts.
void PrepareSdl() {
  // Our own SIGTERM/SIGINT/SIGHUP handling, not SDL's ignorable quit event.
  SDL_SetHint(SDL_HINT_NO_SIGNAL_HANDLERS, "1");
  // The system's screen saver and the monitor's power management run as if the
  // window were not there.
  SDL_SetHint(SDL_HINT_VIDEO_ALLOW_SCREENSAVER, "1");
  // Losing the focus ends the renderer; it must not iconify the window first.
  SDL_SetHint(SDL_HINT_VIDEO_MINIMIZE_ON_FOCUS_LOSS, "0");
  // SDL's X11 window takes both parts of WM_CLASS from this variable.
  setenv("SDL_VIDEO_X11_WMCLASS", names::kRendererClass, 1);
}

// A borderless, always-on-top window covering the primary screen at its current
// size; the display mode is never changed.
SDL_Window* CreateRendererWindow(const SDL_Rect& screen) {
  const Uint32 flags = SDL_WINDOW_OPENGL | SDL_WINDOW_BORDERLESS | SDL_WINDOW_ALWAYS_ON_TOP |
                       SDL_WINDOW_FULLSCREEN_DESKTOP | SDL_WINDOW_SHOWN;
  return SDL_CreateWindow(names::kRendererCreationTitle, screen.x, screen.y, screen.w, screen.h, flags);
}

// The set-up while the window is being created: pointer, title, priority, OpenGL,
// scene.
void SetUpWindow(Renderer& r) {
  r.input = RendererInput(GlobalCursorPos());
  r.xWindow = XWindowOf(r.window);
  SDL_ShowCursor(SDL_DISABLE);
  const SceneParameters parameters;
  SDL_SetWindowTitle(r.window, names::kRendererTitle);
  LowerPriority();
  SDL_GL_GetDrawableSize(r.window, &r.width, &r.height);
  r.context = InitGL(r.window, r.width, r.height, SpriteHalfSize(parameters.SpriteSize));
  // Without a context there is no picture; input still ends the renderer.
  if (!r.context) return;
  // Vertical sync where the driver offers it; frames are paced by hand otherwise.
  SDL_GL_SetSwapInterval(1);
  r.picture.emplace(r.width, r.height);
  r.scene.emplace(CreateScene(parameters, static_cast<std::uint32_t>(std::time(nullptr))));
  r.renderingEnabled = true;
}

void TearDownWindow(Renderer& r) {
  r.renderingEnabled = false;
  r.scene.reset();
  r.picture.reset();
  if (r.context) ShutdownGL(r.window, r.context);
  SDL_DestroyWindow(r.window);
}

// Acts on one event; true when the renderer is to end.
bool HandleEvent(Renderer& r, const SDL_Event& event) {
  InputAction action = InputAction::KeepRunning;
  switch (event.type) {
    case SDL_KEYDOWN:
      action = r.input.KeyOrButtonPressed();
      break;
    case SDL_MOUSEBUTTONDOWN:
      if (EndsOnButton(event.button.button)) action = r.input.KeyOrButtonPressed();
      break;
    case SDL_MOUSEMOTION:
      action = r.input.MouseMoved(GlobalCursorPos());
      break;
    case SDL_WINDOWEVENT:
      if (event.window.event == SDL_WINDOWEVENT_FOCUS_LOST) action = r.input.Deactivated();
      if (event.window.event == SDL_WINDOWEVENT_CLOSE) action = r.input.CloseRequested();
      break;
    case SDL_QUIT:  // the window manager's close, or one the input rules posted
      action = r.input.CloseRequested();
      break;
  }
  if (action == InputAction::PostClose) {
    SDL_Event close{};
    close.type = SDL_QUIT;
    SDL_PushEvent(&close);
  }
  return action == InputAction::EndRenderer;
}

// Hands the renderer's own connection's events to the watch and lets it ask the
// server again when that is due.
void FollowScreen(Display* display, ScreenWatch& watch, double now) {
  while (XPending(display)) {
    XEvent event;
    XNextEvent(display, &event);
    watch.Note(event);
  }
  watch.Poll(now);
}

// Handles every waiting event, then draws and presents one frame where it can be
// seen, until input or a termination signal ends it. While nothing can be seen it
// sleeps until an event arrives or the screen is to be checked again.
void RunFrameLoop(Renderer& r, Display* display, ScreenWatch& watch) {
  GlSpriteSink sink;
  // The window never changes size, so what each frame is drawn with is fixed.
  std::optional<FrameTargets> targets;
  if (r.renderingEnabled) {
    targets.emplace(FrameTargets{r.window, *r.picture,
                                 FadeRectangle(static_cast<double>(r.width) / r.height),
                                 FadeAlpha(r.scene->parameters.FadeStrength)});
  }
  SDL_DisplayMode mode{};
  const int shownOn = SDL_GetWindowDisplayIndex(r.window);
  const double period =
      RefreshPeriod(SDL_GetCurrentDisplayMode(shownOn < 0 ? 0 : shownOn, &mode) == 0
                        ? mode.refresh_rate
                        : 0);
  while (!TerminationRequested()) {
    const double frameStart = SecondsNow();
    SDL_Event event;
    bool ended = false;
    while (!ended && SDL_PollEvent(&event)) ended = HandleEvent(r, event);
    if (ended || TerminationRequested()) return;
    FollowScreen(display, watch, frameStart);
    if (targets && watch.Seen(r.xWindow)) {
      RenderFrame(*r.scene, sink, *targets);
      SleepSeconds(PacingDelay(SecondsNow() - frameStart, period));
    } else {
      SDL_WaitEventTimeout(nullptr, WholeMilliseconds(watch.UntilNextPoll(SecondsNow())));
    }
  }
}

}  // namespace

int RendererMain() {
  InstallTerminationHandlers();
  EndWithParent();
  PrepareSdl();
  Display* display = platform::SharedDisplay();
  if (!display) {
    std::fprintf(stderr, "%s: cannot open the X display\n", names::kRendererFile);
    return 1;
  }
  if (RaiseRunningScreensaver(display)) return 0;
  if (SDL_Init(SDL_INIT_VIDEO) != 0) {
    ReportFailure("cannot start the video subsystem");
    return 1;
  }
  SDL_Rect screen{};
  SDL_GetDisplayBounds(0, &screen);
  Renderer r;
  const bool serverFormat = RequestPixelFormat(display);
  r.window = CreateRendererWindow(screen);
  if (!r.window && serverFormat) {
    RequestEquivalentPixelFormat();
    r.window = CreateRendererWindow(screen);
  }
  if (!r.window) {
    ReportFailure("cannot create the window");
    SDL_Quit();
    return 1;
  }
  SetUpWindow(r);
  SDL_RaiseWindow(r.window);
  SDL_SetWindowInputFocus(r.window);
  ScreenWatch watch(display);
  watch.Watch(r.xWindow);
  watch.WakeActiveSaver();
  RunFrameLoop(r, display, watch);
  TearDownWindow(r);
  SDL_Quit();
  return 0;
}

}  // namespace veyora

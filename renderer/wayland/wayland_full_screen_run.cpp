#include "renderer/wayland/wayland_full_screen_run.h"

#include <SDL.h>
#include <SDL_syswm.h>
#include <wayland-client.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <ctime>
#include <memory>
#include <utility>

#include "platform/shared_names.h"
#include "renderer/core/full_screen_loop.h"
#include "renderer/core/process_priority.h"
#include "renderer/core/sdl_start.h"
#include "renderer/core/view_set.h"
#include "renderer/gl/surface_request.h"
#include "renderer/wayland/egl_damage_presenter.h"
#include "renderer/wayland/wayland_probe.h"

namespace veyora {

namespace {

// The longest wait for events, so that a termination signal, which SDL's wait does
// not see, is acted on soon.
constexpr double kLongestWaitSeconds = 0.1;

// A view's Wayland surface: its frame is wanted once the compositor asks for it (or
// before the first is drawn), and each frame drawn asks for the next.
class WaylandViewWindow final : public NativeWindow {
 public:
  // `wakeEvent`: SDL's event that wakes the loop when a frame is asked for.
  WaylandViewWindow(wl_surface* surface, std::uint32_t wakeEvent)
      : surface_(surface), wakeEvent_(wakeEvent) {}
  ~WaylandViewWindow() override {
    if (frameRequest_) wl_callback_destroy(frameRequest_);
  }
  WaylandViewWindow(const WaylandViewWindow&) = delete;
  WaylandViewWindow& operator=(const WaylandViewWindow&) = delete;

  bool FrameWanted() const override { return frameDue_; }
  // Asks the compositor to say when it wants the next frame; the request goes with
  // the commit of the frame drawn now.
  void FrameStarting() override {
    frameDue_ = false;
    if (!surface_) return;
    frameRequest_ = wl_surface_frame(surface_);
    wl_callback_add_listener(frameRequest_, &kFrameListener, this);
  }

 private:
  static void FrameAsked(void* data, wl_callback* callback, std::uint32_t /*time*/) {
    auto* window = static_cast<WaylandViewWindow*>(data);
    wl_callback_destroy(callback);
    window->frameRequest_ = nullptr;
    window->frameDue_ = true;
    SDL_Event wake{};
    wake.type = window->wakeEvent_;
    SDL_PushEvent(&wake);
  }
  static constexpr wl_callback_listener kFrameListener{FrameAsked};

  wl_surface* surface_;
  std::uint32_t wakeEvent_;
  bool frameDue_ = true;
  wl_callback* frameRequest_ = nullptr;
};

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

// The full-screen run on a Wayland compositor: one view per output SDL reports.
class WaylandFullScreen final : public FullScreenPlatform {
 public:
  // Creates the view of every output, the first one's first. False when the first
  // cannot be made; another output's window that cannot be made is left out.
  bool OpenViews();
  ViewSet& Views() { return views_; }

  // The compositor tells each window only that it gained or lost the focus.
  bool FocusCounts(const View& /*view*/) override { return true; }
  // The window's drawing follows the size the compositor gave it.
  bool FollowWindowEvent(const SDL_WindowEvent& event) override {
    if (event.event != SDL_WINDOWEVENT_SIZE_CHANGED) return false;
    views_.FollowSize(event.windowID);
    return true;
  }
  // Nothing more to ask: a loss that no gain followed is the focus gone elsewhere.
  bool FocusElsewhere() override { return true; }
  void BeforeDrawing(double /*passStart*/) override {}
  // The compositor's frame requests pace the drawing: while no window has a frame
  // due, waits for one to be asked for, or for any other event.
  void AfterPass(bool /*drawn*/, double /*passStart*/, double longestWait) override {
    if (views_.AnyFrameWanted()) return;
    const double wait = std::min(kLongestWaitSeconds, longestWait);
    // The event stays in the queue, for the next pass to take.
    SDL_WaitEventTimeout(nullptr, static_cast<int>(std::ceil(wait * 1e3)) + 1);
  }

 private:
  ViewSet views_;
};

bool WaylandFullScreen::OpenViews() {
  RequestEquivalentSurface();
  const std::uint32_t wakeEvent = SDL_RegisterEvents(1);
  const auto seed = static_cast<std::uint32_t>(std::time(nullptr));
  for (int i = 0; i < SDL_GetNumVideoDisplays(); ++i) {
    const bool first = views_.Empty();
    SDL_Window* window = CreateOutputWindow(i, first ? names::kRendererTitle : "");
    if (!window) {
      if (first) return false;
      continue;
    }
    if (first) {
      SDL_ShowCursor(SDL_DISABLE);
      LowerPriority();
    }
    View& view = views_.Open(window, seed + static_cast<std::uint32_t>(i),
                             std::make_unique<WaylandViewWindow>(SurfaceOf(window), wakeEvent));
    if (view.Drawing().HasContext()) {
      // The compositor's frame requests pace the drawing; the swap must not wait too.
      SDL_GL_SetSwapInterval(0);
      if (auto presenter = EglDamagePresenter::ForCurrentContext()) {
        view.Drawing().UsePresenter(std::move(presenter));
      }
    }
  }
  return !views_.Empty();
}

}  // namespace

std::optional<int> RunWaylandFullScreen(const RunRequest& request) {
  if (request.hostWindow || request.preferredDriver != platform::VideoDriver::Wayland) {
    return std::nullopt;
  }
  if (!WaylandVideoStarts()) return std::nullopt;
  // The compositor's window rules and the tests know the windows by this name.
  SDL_setenv("SDL_VIDEO_WAYLAND_WMCLASS", names::kRendererClass, 1);
  PrepareSdlStart(VideoDriver::Wayland);
  if (SDL_Init(SDL_INIT_VIDEO) != 0) return std::nullopt;
  WaylandFullScreen run;
  const bool opened = run.OpenViews();
  if (opened) RunFullScreenLoop(run.Views(), run);
  run.Views().CloseAll();
  SDL_Quit();
  if (!opened) return std::nullopt;
  return 0;
}

}  // namespace veyora

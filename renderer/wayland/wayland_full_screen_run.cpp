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
#include <vector>

#include "platform/shared_names.h"
#include "renderer/core/full_screen_loop.h"
#include "renderer/core/layout_change.h"
#include "renderer/core/monitor_layout.h"
#include "renderer/core/process_priority.h"
#include "renderer/core/sdl_start.h"
#include "renderer/core/view_set.h"
#include "renderer/core/wait_for_input.h"
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

SDL_SysWMinfo WaylandInfoOf(SDL_Window* window) {
  SDL_SysWMinfo info{};
  SDL_VERSION(&info.version);
  if (!SDL_GetWindowWMInfo(window, &info) || info.subsystem != SDL_SYSWM_WAYLAND) info.info.wl = {};
  return info;
}

wl_surface* SurfaceOf(SDL_Window* window) { return WaylandInfoOf(window).info.wl.surface; }

// A full-screen window on SDL's display `index`, at that display's size.
SDL_Window* CreateOutputWindow(int index, const char* title) {
  SDL_Rect bounds{};
  if (SDL_GetDisplayBounds(index, &bounds) != 0) return nullptr;
  return SDL_CreateWindow(
      title, SDL_WINDOWPOS_UNDEFINED_DISPLAY(index), SDL_WINDOWPOS_UNDEFINED_DISPLAY(index),
      bounds.w, bounds.h,
      SDL_WINDOW_OPENGL | SDL_WINDOW_FULLSCREEN_DESKTOP | SDL_WINDOW_BORDERLESS | SDL_WINDOW_SHOWN);
}

// SDL's displays, the compositor's outputs, as monitors in SDL's order, each with the
// name SDL gives it and the first counting as primary.
std::vector<Monitor> OutputMonitors() {
  std::vector<Monitor> monitors;
  for (int i = 0; i < SDL_GetNumVideoDisplays(); ++i) {
    SDL_Rect b{};
    if (SDL_GetDisplayBounds(i, &b) != 0) continue;
    const char* name = SDL_GetDisplayName(i);
    monitors.push_back({{b.x, b.y, b.x + b.w, b.y + b.h}, monitors.empty(), name ? name : ""});
  }
  return monitors;
}

// One view per output, the first one's first.
std::vector<ViewPlacement> OutputPlacements() {
  const std::vector<Monitor> monitors = OutputMonitors();
  std::vector<platform::ScreenRect> displays;
  for (const Monitor& m : monitors) displays.push_back(m.rect);
  return LayOutViews(monitors, displays);
}

// SDL's index of the display a placement was made for; -1 when it is gone.
int DisplayIndexOf(const ViewPlacement& place) {
  const std::vector<Monitor> monitors = OutputMonitors();
  for (std::size_t i = 0; i < monitors.size(); ++i) {
    if (monitors[i].rect == place.rect && monitors[i].name == place.name)
      return static_cast<int>(i);
  }
  return -1;
}

// The full-screen run on a Wayland compositor: one view per output SDL reports, as
// outputs come and go.
class WaylandFullScreen final : public FullScreenPlatform {
 public:
  // Creates the view of every output, the first one's first. False when the first
  // cannot be made; another output's window that cannot be made is left out.
  bool OpenViews();
  ViewSet& Views() { return views_; }
  WaylandFullScreen() = default;
  WaylandFullScreen(const WaylandFullScreen&) = delete;
  WaylandFullScreen& operator=(const WaylandFullScreen&) = delete;
  ~WaylandFullScreen() override;
  // SDL 2.26 destroys a full-screen window by taking it out of full screen on the
  // display it was on, and with no output left that display is gone: destroying it
  // then crashes. So the windows of outputs gone stay open until an output is there.
  static bool CanCloseWindows() { return SDL_GetNumVideoDisplays() > 0; }

  // The compositor tells each window only that it gained or lost the focus.
  bool FocusCounts(const View& /*view*/) override { return true; }
  // The window's drawing follows the size the compositor gave it.
  bool FollowWindowEvent(const SDL_WindowEvent& event) override {
    if (event.event != SDL_WINDOWEVENT_SIZE_CHANGED) return false;
    views_.FollowSize(event.windowID);
    return true;
  }
  void FollowDisplayEvent(const SDL_DisplayEvent& /*event*/) override { outputsChanged_ = true; }
  bool FollowMonitors(double passStart) override;
  // Nothing more to ask: a loss that no gain followed is the focus gone elsewhere,
  // unless no output is left, when the compositor took it with the outputs and
  // nothing is shown to take it.
  bool FocusElsewhere() override { return !views_.Empty(); }
  void BeforeDrawing(double /*passStart*/) override {}
  // The compositor's frame requests pace the drawing: while no window has a frame
  // due, waits for one to be asked for, or for any other event.
  void AfterPass(bool /*drawn*/, double /*passStart*/, double longestWait) override {
    if (views_.AnyFrameWanted()) return;
    const double wait = std::min(kLongestWaitSeconds, longestWait);
    // SDL's wait polls every millisecond while it has no window to wake it through;
    // with no output left, the connection to the compositor is waited on instead.
    if (views_.Empty()) {
      WaitForInput({connection_}, wait);
      return;
    }
    // The event stays in the queue, for the next pass to take.
    SDL_WaitEventTimeout(nullptr, static_cast<int>(std::ceil(wait * 1e3)) + 1);
  }

 private:
  // A view and the placement it was given.
  struct PlacedView {
    std::uint32_t id;
    ViewPlacement place;
  };

  // Creates and opens the view of one placement; null when its window cannot be made.
  View* OpenView(const ViewPlacement& place);
  // An SDL event watch on outputs going, acting before SDL takes in any other news:
  // the windows on an output going leave full screen, and as the last output goes
  // the shell objects of every window are parked.
  static int WatchOutputsGoing(void* data, SDL_Event* event);
  // Sends the compositor's news for the window's shell objects to unreadQueue_.
  void Park(SDL_Window* window);

  struct QueueDestroyer {
    void operator()(wl_event_queue* queue) const { wl_event_queue_destroy(queue); }
  };
  // Where the compositor's news for the shell objects of the windows kept after the
  // last output went goes, never read: SDL 2.26 looks up a window's display on each
  // configure, and one that comes while it knows no output crashes it. A new output
  // brings such a configure for the windows the compositor moves onto it before SDL
  // has taken the output in. Declared before the views, so that it outlives them.
  std::unique_ptr<wl_event_queue, QueueDestroyer> unreadQueue_;
  ViewSet views_;
  std::vector<PlacedView> placed_;
  // The views of outputs gone, kept open until CanCloseWindows().
  std::vector<ViewSet::Views::node_type> retired_;
  std::uint32_t wakeEvent_ = 0;
  std::uint32_t baseSeed_ = 0;
  std::uint32_t nextSeedOffset_ = 0;
  bool outputsChanged_ = false;
  // The descriptor of SDL's connection to the compositor.
  int connection_ = -1;
};

View* WaylandFullScreen::OpenView(const ViewPlacement& place) {
  const int index = DisplayIndexOf(place);
  if (index < 0) return nullptr;
  SDL_Window* window = CreateOutputWindow(index, place.primary ? names::kRendererTitle : "");
  if (!window) return nullptr;
  View& view = views_.Open(window, baseSeed_ + nextSeedOffset_++,
                           std::make_unique<WaylandViewWindow>(SurfaceOf(window), wakeEvent_));
  if (view.Drawing().HasContext()) {
    // The compositor's frame requests pace the drawing; the swap must not wait too.
    SDL_GL_SetSwapInterval(0);
    if (auto presenter = EglDamagePresenter::ForCurrentContext()) {
      view.Drawing().UsePresenter(std::move(presenter));
    }
  }
  placed_.push_back({view.Id(), place});
  if (wl_display* display = WaylandInfoOf(window).info.wl.display) {
    connection_ = wl_display_get_fd(display);
  }
  return &view;
}

WaylandFullScreen::~WaylandFullScreen() { SDL_DelEventWatch(WatchOutputsGoing, this); }

int WaylandFullScreen::WatchOutputsGoing(void* data, SDL_Event* event) {
  if (event->type != SDL_DISPLAYEVENT || event->display.event != SDL_DISPLAYEVENT_DISCONNECTED) {
    return 1;
  }
  auto* run = static_cast<WaylandFullScreen*>(data);
  // SDL gives this news while the output going is still counted.
  const bool last = SDL_GetNumVideoDisplays() <= 1;
  for (auto& [id, view] : run->views_) {
    SDL_Window* window = view.SdlWindow();
    if (last) {
      run->Park(window);
    } else if (SDL_GetWindowDisplayIndex(window) == static_cast<int>(event->display.display)) {
      // The compositor moves the window onto an output left, where SDL would take it
      // for that output's full-screen window and minimize the view there (mutter and
      // KWin honour that). Out of full screen it is only closed.
      SDL_SetWindowFullscreen(window, 0);
    }
  }
  return 1;
}

void WaylandFullScreen::Park(SDL_Window* window) {
  const SDL_SysWMinfo info = WaylandInfoOf(window);
  if (!unreadQueue_ && info.info.wl.display) {
    unreadQueue_.reset(wl_display_create_queue(info.info.wl.display));
  }
  if (!unreadQueue_) return;
  for (void* shell : {static_cast<void*>(info.info.wl.xdg_toplevel),
                      static_cast<void*>(info.info.wl.xdg_surface)}) {
    if (shell) wl_proxy_set_queue(static_cast<wl_proxy*>(shell), unreadQueue_.get());
  }
}

// New outputs get a view, and the views of outputs gone are closed. An output whose
// size or scale changed keeps its view: the compositor gives its window the new size,
// which the drawing follows.
bool WaylandFullScreen::FollowMonitors(double /*passStart*/) {
  if (!outputsChanged_) return false;
  outputsChanged_ = false;
  const std::vector<ViewPlacement> wanted = OutputPlacements();
  std::vector<ViewPlacement> current;
  for (const PlacedView& placed : placed_) current.push_back(placed.place);
  const LayoutChange change = CompareLayouts(current, wanted);
  for (const auto& [c, w] : change.relayout) placed_[c].place = wanted[w];
  std::vector<std::uint32_t> closing;
  for (const std::size_t c : change.close) closing.push_back(placed_[c].id);
  for (const std::uint32_t id : closing) {
    retired_.push_back(views_.TakeOut(id));
    std::erase_if(placed_, [&](const PlacedView& placed) { return placed.id == id; });
  }
  for (const std::size_t w : change.open) OpenView(wanted[w]);
  if (CanCloseWindows()) retired_.clear();
  return !change.Empty();
}

bool WaylandFullScreen::OpenViews() {
  RequestEquivalentSurface();
  wakeEvent_ = SDL_RegisterEvents(1);
  SDL_AddEventWatch(WatchOutputsGoing, this);
  baseSeed_ = static_cast<std::uint32_t>(std::time(nullptr));
  for (const ViewPlacement& place : OutputPlacements()) {
    if (!OpenView(place)) {
      if (place.primary) return false;
      continue;
    }
    if (place.primary) {
      SDL_ShowCursor(SDL_DISABLE);
      LowerPriority();
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
  auto run = std::make_unique<WaylandFullScreen>();
  const bool opened = run->OpenViews();
  if (opened) RunFullScreenLoop(run->Views(), *run);
  if (opened && !WaylandFullScreen::CanCloseWindows()) {
    // Ending with no output left: the windows and SDL are left to the end of the
    // process, which closes them with its connection to the compositor.
    run.release();
    return 0;
  }
  run.reset();
  SDL_Quit();
  if (!opened) return std::nullopt;
  return 0;
}

}  // namespace veyora

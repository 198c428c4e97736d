#include "renderer/x11/x11_full_screen_run.h"

#include <SDL.h>
#include <SDL_syswm.h>
#include <X11/extensions/Xrandr.h>

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <ctime>
#include <memory>
#include <optional>
#include <vector>

#include "platform/shared_names.h"
#include "platform/window_search.h"
#include "renderer/core/frame_pacer.h"
#include "renderer/core/frame_timing.h"
#include "renderer/core/full_screen_loop.h"
#include "renderer/core/layout_change.h"
#include "renderer/core/monitor_layout.h"
#include "renderer/core/process_priority.h"
#include "renderer/core/sdl_start.h"
#include "renderer/core/view_set.h"
#include "renderer/core/wait_for_input.h"
#include "renderer/gl/gl_setup.h"
#include "renderer/x11/glx_pixel_formats.h"
#include "renderer/x11/glx_sub_buffer_presenter.h"
#include "renderer/x11/x11_already_running.h"
#include "renderer/x11/x11_display.h"
#include "renderer/x11/x11_screen_watch.h"
#include "renderer/x11/x11_server_monitors.h"
#include "renderer/x11/x11_window_placement.h"

namespace veyora {

namespace {

// What X says about an SDL window: its window, and SDL's connection.
SDL_SysWMinfo XInfoOf(SDL_Window* window) {
  SDL_SysWMinfo info{};
  SDL_VERSION(&info.version);
  if (!SDL_GetWindowWMInfo(window, &info)) info.info.x11 = {};
  return info;
}

Window XWindowOf(const View& view) { return XInfoOf(view.SdlWindow()).info.x11.window; }

// How often the server's monitors are asked for: RandR tells of outputs that change,
// not always of monitors that do.
constexpr double kMonitorPollSeconds = 0.25;

// A view's X window: its frame is wanted while it is shown and the screen watch says
// its picture can be seen. Where only the changed parts of its frames are shown, the
// first frame after the window was unseen, hidden or exposed is shown whole.
class X11ViewWindow final : public NativeWindow {
 public:
  X11ViewWindow(Window window, const X11ScreenWatch& watch) : window_(window), watch_(watch) {}
  bool FrameWanted() const override {
    const bool seen = shown_ && watch_.Seen(window_);
    if (!seen) ContentsLost();
    return seen;
  }
  void SetShown(bool shown) { shown_ = shown; }

  // The window's frames are shown in part by `presenter`, which the view's
  // drawing owns.
  void ShownBy(GlxSubBufferPresenter* presenter) { presenter_ = presenter; }
  void ContentsLost() const {
    if (presenter_) presenter_->ShowWholeNext();
  }

 private:
  Window window_;
  const X11ScreenWatch& watch_;
  bool shown_ = true;
  GlxSubBufferPresenter* presenter_ = nullptr;
};

X11ViewWindow& X11Side(View& view) { return static_cast<X11ViewWindow&>(view.Native()); }

// Has the view's frames shown in part where the driver draws on the CPU, where
// showing the whole window is work the user feels, and nothing waits for the
// display anyway. True when it does.
bool ShowChangedPartsOnly(View& view, X11ViewWindow& native) {
  if (!CurrentDriverIsSoftware()) return false;
  std::unique_ptr<GlxSubBufferPresenter> presenter = GlxSubBufferPresenter::ForCurrentContext();
  if (!presenter) return false;
  native.ShownBy(presenter.get());
  view.Drawing().UsePresenter(std::move(presenter));
  return true;
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

// Shows the window, full screen on its own monitor where the window manager honours
// that: asked before it is mapped and once more after.
void ShowOnItsMonitor(Display* display, SDL_Window* window, Window xWindow,
                      const ViewPlacement& place) {
  const std::optional<long> monitor =
      place.fullscreen ? XineramaIndexOf(display, place.rect) : std::nullopt;
  if (monitor) AskFullScreenOnMonitor(display, xWindow, *monitor, false);
  SDL_ShowWindow(window);
  if (monitor) AskFullScreenOnMonitor(display, xWindow, *monitor, true);
}

// The full-screen run on the X server: one view per monitor the server reports.
class X11FullScreen final : public FullScreenPlatform {
 public:
  // `display` is the renderer's own connection, not the one SDL draws through.
  explicit X11FullScreen(Display* display) : display_(display), watch_(display) {}

  // The views, the frame loop until it ends, and the views' end. The exit status.
  int Run();

  // The focus counts as held only while the window holding it covers a monitor, so a
  // window manager that takes it back before showing the window, or shows the window
  // tiled first, does not end the run.
  bool FocusCounts(const View& view) override {
    return CoversAMonitor(platform::WindowScreenRect(display_, XWindowOf(view)), Placements());
  }
  bool FollowWindowEvent(const SDL_WindowEvent& event) override;
  // SDL tells of outputs it found or lost: the monitors are asked for at once.
  void FollowDisplayEvent(const SDL_DisplayEvent& /*event*/) override { nextMonitorPoll_ = 0.0; }
  bool FollowMonitors(double passStart) override;
  bool FocusElsewhere() override;
  void BeforeDrawing(double passStart) override;
  void AfterPass(bool drawn, double passStart, double longestWait) override;

 private:
  // A view and the placement it was given.
  struct PlacedView {
    std::uint32_t id;
    ViewPlacement place;
  };

  bool OpenViews(const std::vector<ViewPlacement>& placements);
  // Creates, shows and opens the view of one placement, its swap waiting for the
  // display when `waitForDisplay` and the driver allows; null when its window cannot
  // be made.
  View* OpenView(const ViewPlacement& place, bool waitForDisplay);
  // Moves the view's window to its new placement, titled when it is the primary one.
  void LayOutAgain(PlacedView& placed, const ViewPlacement& place);
  // Hides the last view while no monitor is left, so that its titled window, which
  // the front end follows, stays; and shows it again once a monitor is back.
  void Park(PlacedView& placed);
  void Unpark(PlacedView& placed);
  // Gives the primary view the focus, as at the start.
  void FocusPrimary();
  std::vector<ViewPlacement> Placements() const;
  // Takes the events of the renderer's own connection: visibility and RandR's news.
  void TakeOwnEvents();

  Display* display_;
  X11ScreenWatch watch_;
  std::vector<PlacedView> placed_;
  ViewSet views_;
  std::uint32_t primaryId_ = 0;
  std::uint32_t baseSeed_ = 0;
  std::uint32_t nextSeedOffset_ = 0;
  // The server reports RandR monitors, so their changes are followed.
  bool followsMonitors_ = false;
  int randrEventBase_ = 0;
  double nextMonitorPoll_ = 0.0;
  // The view kept hidden while no monitor is left; 0 when none is.
  std::uint32_t parkedId_ = 0;
  // The descriptor of SDL's own X connection, on which its events arrive.
  int sdlConnection_ = -1;
  // The primary window's swap waits for the display.
  bool swapWaits_ = false;
  // The server's pixel format makes windows (else the equivalent request is used).
  bool serverFormat_ = true;
  std::optional<FramePacer> pacer_;
};

View* X11FullScreen::OpenView(const ViewPlacement& place, bool waitForDisplay) {
  const char* title = place.primary ? names::kRendererCreationTitle : nullptr;
  SDL_Window* window = CreateViewWindow(place, title, serverFormat_);
  if (!window) return nullptr;
  const SDL_SysWMinfo x = XInfoOf(window);
  if (x.info.x11.display) sdlConnection_ = ConnectionNumber(x.info.x11.display);
  ShowOnItsMonitor(display_, window, x.info.x11.window, place);
  if (place.primary) SDL_SetWindowTitle(window, names::kRendererTitle);
  auto native = std::make_unique<X11ViewWindow>(x.info.x11.window, watch_);
  X11ViewWindow& nativeWindow = *native;
  View& view = views_.Open(window, baseSeed_ + nextSeedOffset_++, std::move(native));
  watch_.Watch(x.info.x11.window);
  placed_.push_back({view.Id(), place});
  if (place.primary) primaryId_ = view.Id();
  const bool partly = view.Drawing().HasContext() && ShowChangedPartsOnly(view, nativeWindow);
  // Frames are paced by hand where the swap does not wait, as where only the changed
  // parts are shown.
  const bool waits =
      view.Drawing().HasContext() && !partly && SDL_GL_SetSwapInterval(waitForDisplay ? 1 : 0) == 0;
  if (place.primary) swapWaits_ = waits && waitForDisplay;
  return &view;
}

// Creates and sets up the window of every placement, the primary first. False when
// the primary window cannot be made; another monitor's window that cannot be made is
// left out.
bool X11FullScreen::OpenViews(const std::vector<ViewPlacement>& placements) {
  serverFormat_ = RequestPixelFormat(display_);
  baseSeed_ = static_cast<std::uint32_t>(std::time(nullptr));
  for (const ViewPlacement& place : placements) {
    // Vertical sync where the driver offers it, on the primary monitor only: the other
    // windows' swaps must not wait for a refresh each. Views opened later never wait;
    // the pacer notices when the window whose swap waited is gone.
    if (!OpenView(place, place.primary)) {
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

bool X11FullScreen::FollowWindowEvent(const SDL_WindowEvent& event) {
  if (event.event == SDL_WINDOWEVENT_EXPOSED) {
    if (View* view = views_.Find(event.windowID)) {
      X11Side(*view).ContentsLost();
    }
    return false;
  }
  switch (event.event) {
    case SDL_WINDOWEVENT_SIZE_CHANGED:
      // Laid out again for a monitor that changed.
      views_.FollowSize(event.windowID);
      return true;
    case SDL_WINDOWEVENT_SHOWN:
    case SDL_WINDOWEVENT_MOVED:
    case SDL_WINDOWEVENT_MINIMIZED:
    case SDL_WINDOWEVENT_MAXIMIZED:
    case SDL_WINDOWEVENT_RESTORED:
      return true;
    default:
      return false;
  }
}

std::vector<ViewPlacement> X11FullScreen::Placements() const {
  std::vector<ViewPlacement> placements;
  for (const PlacedView& placed : placed_) placements.push_back(placed.place);
  return placements;
}

void X11FullScreen::FocusPrimary() {
  View* primary = views_.Find(primaryId_);
  if (!primary) return;
  SDL_RaiseWindow(primary->SdlWindow());
  // A window manager gives the focus to the window it shows, and takes back focus a
  // client sets itself on a window it has not shown yet; without one, nobody else
  // would give it.
  if (!WindowManagerRunning(display_)) SDL_SetWindowInputFocus(primary->SdlWindow());
}

void X11FullScreen::LayOutAgain(PlacedView& placed, const ViewPlacement& place) {
  View* view = views_.Find(placed.id);
  if (!view) return;
  SDL_Window* window = view->SdlWindow();
  if (place.rect != placed.place.rect || place.fullscreen != placed.place.fullscreen) {
    // Out of full screen to move, then into it again on the display it is on now; the
    // drawing follows the size the window reports.
    SDL_SetWindowFullscreen(window, 0);
    SDL_SetWindowPosition(window, place.rect.left, place.rect.top);
    SDL_SetWindowSize(window, place.rect.Width(), place.rect.Height());
    if (place.fullscreen) SDL_SetWindowFullscreen(window, SDL_WINDOW_FULLSCREEN_DESKTOP);
    const std::optional<long> monitor =
        place.fullscreen ? XineramaIndexOf(display_, place.rect) : std::nullopt;
    if (monitor) AskFullScreenOnMonitor(display_, XWindowOf(*view), *monitor, true);
  }
  if (place.primary != placed.place.primary) {
    SDL_SetWindowTitle(window, place.primary ? names::kRendererTitle : "");
    if (place.primary) primaryId_ = placed.id;
  }
  placed.place = place;
}

void X11FullScreen::Park(PlacedView& placed) {
  View* view = views_.Find(placed.id);
  if (!view) return;
  X11Side(*view).SetShown(false);
  SDL_HideWindow(view->SdlWindow());
  parkedId_ = placed.id;
}

void X11FullScreen::Unpark(PlacedView& placed) {
  View* view = views_.Find(placed.id);
  parkedId_ = 0;
  if (!view) return;
  ShowOnItsMonitor(display_, view->SdlWindow(), XWindowOf(*view), placed.place);
  X11Side(*view).SetShown(true);
  FocusPrimary();
}

// The views opened first, then those kept laid out again, and the closed ones last,
// so that a window with the renderer's title is there throughout. With no monitor
// left, the titled view is hidden rather than closed.
bool X11FullScreen::FollowMonitors(double passStart) {
  TakeOwnEvents();
  if (!followsMonitors_ || passStart < nextMonitorPoll_) return false;
  nextMonitorPoll_ = passStart + kMonitorPollSeconds;
  const std::vector<ViewPlacement> current = Placements();
  std::vector<Monitor> monitors = ServerMonitors(display_);
  KeepPrimary(monitors, current);
  const std::vector<ViewPlacement> wanted =
      monitors.empty() ? std::vector<ViewPlacement>{} : LayOutViews(monitors, SdlDisplays());
  // The hidden view keeps the placement of the monitor gone: while none is back there
  // is nothing to do, and the same monitor back changes no placement but shows it.
  if (parkedId_ != 0 && wanted.empty()) return false;
  const LayoutChange change = CompareLayouts(current, wanted);
  if (change.Empty() && parkedId_ == 0) return false;

  Window focus = 0;
  int revertTo = 0;
  XGetInputFocus(display_, &focus, &revertTo);
  bool focusClosed = false;
  const bool wasParked = parkedId_ != 0;
  for (const std::size_t w : change.open) OpenView(wanted[w], false);
  for (const auto& [c, w] : change.relayout) LayOutAgain(placed_[c], wanted[w]);
  std::vector<std::uint32_t> closing;
  for (const std::size_t c : change.close) {
    if (wanted.empty() && placed_[c].id == primaryId_) {
      Park(placed_[c]);
    } else {
      closing.push_back(placed_[c].id);
    }
  }
  for (const std::uint32_t id : closing) {
    View* view = views_.Find(id);
    if (view && XWindowOf(*view) == focus) focusClosed = true;
    if (id == parkedId_) parkedId_ = 0;
    views_.Close(id);
    std::erase_if(placed_, [&](const PlacedView& placed) { return placed.id == id; });
  }
  if (!wanted.empty()) {
    auto parked = std::find_if(placed_.begin(), placed_.end(),
                               [&](const PlacedView& placed) { return placed.id == parkedId_; });
    if (parked != placed_.end()) {
      Unpark(*parked);
    } else if (focusClosed || wasParked) {
      FocusPrimary();
    }
  }
  return true;
}

// The server gives the focus to none of the renderer's windows, as it does while
// the focus moves from one monitor's window to another's.
bool X11FullScreen::FocusElsewhere() {
  // While no monitor is left, nothing of the renderer is shown to take the focus from.
  if (parkedId_ != 0) return false;
  Window focus = 0;
  int revertTo = 0;
  XGetInputFocus(display_, &focus, &revertTo);
  return std::none_of(views_.begin(), views_.end(),
                      [&](const auto& entry) { return XWindowOf(entry.second) == focus; });
}

// Hands the renderer's own connection's events to the watch and lets it ask the
// server again when that is due.
void X11FullScreen::BeforeDrawing(double passStart) {
  TakeOwnEvents();
  watch_.Poll(passStart);
}

void X11FullScreen::TakeOwnEvents() {
  while (XPending(display_)) {
    XEvent event;
    XNextEvent(display_, &event);
    if (followsMonitors_ && event.type == randrEventBase_ + RRScreenChangeNotify) {
      XRRUpdateConfiguration(&event);
      nextMonitorPoll_ = 0.0;
    }
    watch_.Note(event);
  }
}

// While nothing can be seen, sleeps until an event arrives or the screen is to be
// checked again.
void X11FullScreen::AfterPass(bool drawn, double passStart, double longestWait) {
  if (drawn) {
    pacer_->FrameStarted(passStart);
    SleepSeconds(pacer_->DelayBefore(SecondsNow()));
  } else {
    WaitForInput({sdlConnection_, ConnectionNumber(display_)},
                 std::min(watch_.UntilNextPoll(SecondsNow()), longestWait));
  }
}

int X11FullScreen::Run() {
  const std::vector<Monitor> monitors = ServerMonitors(display_);
  // Where the server reports no monitors, SDL's displays stand in for good.
  followsMonitors_ = !monitors.empty() && HasRandrMonitors(display_, randrEventBase_);
  if (!OpenViews(LayOutViews(monitors, SdlDisplays()))) {
    ReportSdlFailure("cannot create the window");
    views_.CloseAll();
    return 1;
  }
  SDL_Window* primary = views_.Find(primaryId_)->SdlWindow();
  FocusPrimary();
  if (followsMonitors_) {
    XRRSelectInput(display_, DefaultRootWindow(display_), RRScreenChangeNotifyMask);
    nextMonitorPoll_ = SecondsNow() + kMonitorPollSeconds;
  }
  watch_.WakeActiveSaver();
  SDL_DisplayMode mode{};
  const int shownOn = SDL_GetWindowDisplayIndex(primary);
  pacer_.emplace(RefreshPeriod(SDL_GetCurrentDisplayMode(shownOn < 0 ? 0 : shownOn, &mode) == 0
                                   ? mode.refresh_rate
                                   : 0),
                 swapWaits_);
  RunFullScreenLoop(views_, *this);
  views_.CloseAll();
  return 0;
}

}  // namespace

std::optional<int> RunX11FullScreen(const RunRequest& request) {
  if (request.hostWindow) return std::nullopt;
  Display* display = OpenX11Display();
  if (!display) return 1;
  if (RaiseRunningScreensaver(display)) return 0;
  PrepareSdl();
  if (!StartSdlVideo(VideoDriver::X11)) return 1;
  const int status = X11FullScreen(display).Run();
  SDL_Quit();
  return status;
}

}  // namespace veyora

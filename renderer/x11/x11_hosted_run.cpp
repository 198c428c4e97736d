#include "renderer/x11/x11_hosted_run.h"

#include <unistd.h>

#include <SDL.h>
#include <X11/Xutil.h>

#include <cstdio>
#include <ctime>
#include <optional>

#include "platform/shared_names.h"
#include "platform/termination_signals.h"
#include "platform/x_connection.h"
#include "renderer/core/frame_pacer.h"
#include "renderer/core/frame_timing.h"
#include "renderer/core/hosted_seed.h"
#include "renderer/core/process_priority.h"
#include "renderer/core/sdl_start.h"
#include "renderer/core/wait_for_input.h"
#include "renderer/core/window_drawing.h"
#include "renderer/gl/gl_sprite_sink.h"
#include "renderer/x11/glx_pixel_formats.h"
#include "renderer/x11/x11_display.h"
#include "renderer/x11/x11_screen_watch.h"

namespace veyora {

namespace {

// The host's window and the child window of ours that covers it.
struct HostedWindow {
  Window host = 0;
  Screen* screen = nullptr;
  bool hostMapped = false;
  int width = 0;
  int height = 0;
  Window child = 0;
  Colormap colormap = 0;
  SDL_Window* sdlWindow = nullptr;
  std::optional<WindowDrawing> drawing;
  // The swap waits for the display.
  bool swapWaits = false;
};

// Starts following the host window, its size, its mapping and its end, and reads
// what it is now. False when `host` is no live window.
bool FollowHost(Display* display, HostedWindow& w) {
  platform::XErrorScope errors(display);
  XSelectInput(display, w.host, StructureNotifyMask);
  XWindowAttributes attributes{};
  const Status alive = XGetWindowAttributes(display, w.host, &attributes);
  if (errors.Failed() || !alive) return false;
  w.screen = attributes.screen;
  w.hostMapped = attributes.map_state != IsUnmapped;
  w.width = attributes.width;
  w.height = attributes.height;
  return true;
}

// The child window, with a visual chosen by the pixel-format scoring on the host's
// screen (the host's own visual may not suit OpenGL). It selects no input, so key,
// button and motion events over it go on to the host; it carries no title. Its
// visibility is watched from before it is mapped.
bool CreateChild(Display* display, HostedWindow& w, X11ScreenWatch& watch) {
  XVisualInfo* visual = ChooseWindowVisual(display, XScreenNumberOfScreen(w.screen));
  if (!visual) {
    std::fprintf(stderr, "%s: no OpenGL visual for the window\n", names::kRendererFile);
    return false;
  }
  w.colormap = XCreateColormap(display, RootWindowOfScreen(w.screen), visual->visual, AllocNone);
  XSetWindowAttributes attributes{};
  attributes.colormap = w.colormap;
  attributes.background_pixel = 0;  // black until the first frame
  attributes.border_pixel = 0;
  w.child = XCreateWindow(display, w.host, 0, 0, w.width, w.height, 0, visual->depth, InputOutput,
                          visual->visual, CWColormap | CWBackPixel | CWBorderPixel, &attributes);
  XFree(visual);
  watch.Watch(w.child);
  XMapWindow(display, w.child);
  XSync(display, False);
  return w.child != 0;
}

// The child, handed to SDL as a foreign OpenGL window, and the scene drawn into it.
bool SetUpDrawing(HostedWindow& w) {
  SDL_SetHint(SDL_HINT_VIDEO_FOREIGN_WINDOW_OPENGL, "1");
  if (!StartSdlVideo(VideoDriver::X11)) return false;
  w.sdlWindow = SDL_CreateWindowFrom(reinterpret_cast<const void*>(w.child));
  if (!w.sdlWindow) {
    ReportSdlFailure("cannot draw into the window");
    return false;
  }
  LowerPriority();
  w.drawing.emplace(w.sdlWindow, HostedSeed(std::time(nullptr), w.host, getpid()));
  if (w.drawing->HasContext()) {
    w.swapWaits = SDL_GL_SetSwapInterval(1) == 0;
    return true;
  }
  ReportSdlFailure("cannot draw into the window");
  return false;
}

void TearDown(Display* display, HostedWindow& w) {
  w.drawing.reset();
  // SDL leaves a foreign window itself alone.
  if (w.sdlWindow) SDL_DestroyWindow(w.sdlWindow);
  SDL_Quit();
  // Gone already when the host went; the errors that raises are tolerated.
  if (w.child) XDestroyWindow(display, w.child);
  if (w.colormap) XFreeColormap(display, w.colormap);
  XSync(display, False);
}

// Handles what the renderer's connection has received: the host's new size, its
// mapping and its end, and visibility changes. The child follows the host's size.
// False once the host window is gone.
bool TakeHostEvents(Display* display, HostedWindow& w, X11ScreenWatch& watch) {
  int width = w.width, height = w.height;
  while (XPending(display)) {
    XEvent event;
    XNextEvent(display, &event);
    watch.Note(event);
    if (event.xany.window != w.host) continue;
    switch (event.type) {
      case DestroyNotify:
        return false;
      case ConfigureNotify:
        width = event.xconfigure.width;
        height = event.xconfigure.height;
        break;
      case MapNotify:
      case UnmapNotify:
        w.hostMapped = event.type == MapNotify;
        break;
    }
  }
  if (width != w.width || height != w.height) {
    w.width = width;
    w.height = height;
    XResizeWindow(display, w.child, width, height);
    // The new size must reach the server before OpenGL draws at it.
    XSync(display, False);
    w.drawing->Resize(width, height);
  }
  return true;
}

// Draws a frame whenever the child's picture can be seen, paced to the display's
// usual refresh, and otherwise sleeps until the host's events or the next look at
// the screen; until the host window goes or a termination signal arrives.
void RunFrameLoop(Display* display, HostedWindow& w, X11ScreenWatch& watch) {
  GlSpriteSink sink;
  FramePacer pacer(RefreshPeriod(0), w.swapWaits);
  while (!platform::TerminationRequested()) {
    const double frameStart = SecondsNow();
    // SDL selects nothing on the child, but what its own connection receives is
    // still read and dropped, so it never piles up.
    SDL_PumpEvents();
    SDL_FlushEvents(SDL_FIRSTEVENT, SDL_LASTEVENT);
    if (!TakeHostEvents(display, w, watch)) return;
    watch.Poll(frameStart);
    if (w.hostMapped && watch.Seen(w.child)) {
      w.drawing->DrawFrame(sink);
      w.drawing->Present();
      pacer.FrameStarted(frameStart);
      SleepSeconds(pacer.DelayBefore(SecondsNow()));
    } else {
      WaitForInput({ConnectionNumber(display)}, watch.UntilNextPoll(SecondsNow()));
    }
  }
}

}  // namespace

std::optional<int> RunX11Hosted(const RunRequest& request) {
  if (!request.hostWindow) return std::nullopt;
  const Window host = *request.hostWindow;
  Display* display = OpenX11Display();
  if (!display) return 1;
  platform::IgnoreHostRestartSignal();
  HostedWindow w;
  w.host = host;
  if (!FollowHost(display, w)) {
    std::fprintf(stderr, "%s: 0x%lx is not a live window\n", names::kRendererFile, host);
    return 1;
  }
  X11ScreenWatch watch(display);
  const bool ready = CreateChild(display, w, watch) && SetUpDrawing(w);
  if (ready) RunFrameLoop(display, w, watch);
  TearDown(display, w);
  return ready ? 0 : 1;
}

}  // namespace veyora

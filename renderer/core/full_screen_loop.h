#pragma once

#include <SDL.h>

#include "renderer/core/view_set.h"

namespace veyora {

// What a windowing platform adds to the frame loop of a full-screen run.
class FullScreenPlatform {
 public:
  virtual ~FullScreenPlatform() = default;

  // True when the keyboard focus on the view counts as held by the renderer.
  virtual bool FocusCounts(const View& view) = 0;
  // Follows a window event other than a focus change. True when the event moved,
  // resized or restacked windows, after which what the windows report about the
  // pointer is not trusted for a while (see SurfaceMotion).
  virtual bool FollowWindowEvent(const SDL_WindowEvent& event) = 0;
  // Follows SDL's news of a display connected, gone or changed.
  virtual void FollowDisplayEvent(const SDL_DisplayEvent& event) = 0;
  // At the start of each pass, before its events: opens, closes and lays out again
  // the views as the monitors are now. True when any view changed, after which the
  // pointer may have been moved by the window system (its monitor went away, the
  // layout changed), which is no input.
  virtual bool FollowMonitors(double passStart) = 0;
  // True when the focus, gone from all of the renderer's windows for a while, is
  // with none of them either by what the window system says now.
  virtual bool FocusElsewhere() = 0;
  // Before the frames of a pass that started at `passStart`: takes in what decides
  // which frames are wanted.
  virtual void BeforeDrawing(double passStart) = 0;
  // After the pass: paces the frames when any was drawn, or waits for input, an event
  // or a frame to be wanted. A wait ends after `longestWait` at the latest, when a
  // focus loss is to be decided.
  virtual void AfterPass(bool drawn, double passStart, double longestWait) = 0;
};

// The frame loop over the views: each pass hands every waiting SDL event to the
// input rules (keys, buttons 1 to 3, pointer motion over each window, close requests)
// and follows the keyboard focus, then draws every wanted frame and presents them
// all. The views follow the monitors as they come and go; with none left, the loop
// goes on drawing nothing. It ends on the input that ends the renderer, on the focus leaving all of
// the windows for another client, and on a termination signal.
void RunFullScreenLoop(ViewSet& views, FullScreenPlatform& platform);

}  // namespace veyora

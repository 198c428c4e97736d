#pragma once

#include <SDL.h>

#include <cstdint>
#include <map>
#include <memory>

#include "renderer/core/window_drawing.h"
#include "renderer/scene/sprite_sink.h"

namespace veyora {

// The windowing platform's side of one view's window: what the platform keeps of it,
// and its say in when the view's frame is drawn.
class NativeWindow {
 public:
  virtual ~NativeWindow() = default;
  // True when a frame drawn into the window now is worth drawing: its picture can be
  // seen, or the compositor asked for it.
  virtual bool FrameWanted() const = 0;
  // The view's frame is about to be drawn.
  virtual void FrameStarting() {}
};

// One window of the renderer, covering one monitor, with a glow scene of its own
// drawn into it. A window that got no OpenGL context shows nothing, while input over
// it still counts.
class View {
 public:
  // Takes the window over and gives it its drawing, with the scene seeded so.
  View(SDL_Window* window, std::uint32_t seed, std::unique_ptr<NativeWindow> native);
  View(const View&) = delete;
  View& operator=(const View&) = delete;

  SDL_Window* SdlWindow() const { return window_.get(); }
  // SDL's id of the window.
  std::uint32_t Id() const { return id_; }
  WindowDrawing& Drawing() { return drawing_; }
  NativeWindow& Native() { return *native_; }

  // The window has a context and its platform wants a frame now.
  bool FrameWanted() const { return drawing_.HasContext() && native_->FrameWanted(); }

 private:
  friend class ViewSet;

  struct WindowCloser {
    void operator()(SDL_Window* window) const { SDL_DestroyWindow(window); }
  };

  // Declared in this order so that the platform's side goes first, then the drawing
  // and its context, and the window last.
  std::unique_ptr<SDL_Window, WindowCloser> window_;
  std::uint32_t id_;
  WindowDrawing drawing_;
  std::unique_ptr<NativeWindow> native_;
  // Drawn in this pass, to be presented once every view's frame is drawn.
  bool drawn_ = false;
};

// The views of a run, one per monitor, keyed by SDL's window id. A view can be opened
// and closed at any time, and keeps its address from its opening to its closing (a
// platform's callbacks may hold it). The views come in the order they were opened,
// as SDL numbers its windows in the order they are created.
class ViewSet {
 public:
  using Views = std::map<std::uint32_t, View>;

  ViewSet() = default;
  ViewSet(const ViewSet&) = delete;
  ViewSet& operator=(const ViewSet&) = delete;

  // Opens the view of a window just created (see View).
  View& Open(SDL_Window* window, std::uint32_t seed, std::unique_ptr<NativeWindow> native);
  // Closes the view, its drawing and its window; nothing when there is no such view.
  void Close(std::uint32_t id);
  void CloseAll() { views_.clear(); }
  // Takes the view out of the set, still open, for its owner to close later; an
  // empty handle when there is no such view.
  Views::node_type TakeOut(std::uint32_t id) { return views_.extract(id); }

  // The view of SDL's window `id`; null when there is none.
  View* Find(std::uint32_t id);
  // The view's drawing follows its window's drawable size, as the window system
  // gave it.
  void FollowSize(std::uint32_t id);

  bool Empty() const { return views_.empty(); }
  Views::iterator begin() { return views_.begin(); }
  Views::iterator end() { return views_.end(); }

  // True when some view's frame is wanted now.
  bool AnyFrameWanted() const;
  // Draws the frame of every view whose frame is wanted, advancing each scene by one
  // step, and only then presents them, so that the driver draws them side by side.
  // True when any was drawn.
  bool DrawThenPresent(SpriteSink& sink);

 private:
  Views views_;
};

}  // namespace veyora

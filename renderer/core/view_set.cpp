#include "renderer/core/view_set.h"

#include <algorithm>
#include <utility>

namespace veyora {

View::View(SDL_Window* window, std::uint32_t seed, std::unique_ptr<NativeWindow> native)
    : window_(window),
      id_(SDL_GetWindowID(window)),
      drawing_(window, seed),
      native_(std::move(native)) {}

View& ViewSet::Open(SDL_Window* window, std::uint32_t seed, std::unique_ptr<NativeWindow> native) {
  return views_.try_emplace(SDL_GetWindowID(window), window, seed, std::move(native)).first->second;
}

void ViewSet::Close(std::uint32_t id) { views_.erase(id); }

View* ViewSet::Find(std::uint32_t id) {
  const auto found = views_.find(id);
  return found == views_.end() ? nullptr : &found->second;
}

void ViewSet::FollowSize(std::uint32_t id) {
  View* view = Find(id);
  if (!view) return;
  int width = 0, height = 0;
  SDL_GL_GetDrawableSize(view->SdlWindow(), &width, &height);
  if (width > 0 && height > 0) view->Drawing().Resize(width, height);
}

bool ViewSet::AnyFrameWanted() const {
  return std::any_of(views_.begin(), views_.end(),
                     [](const Views::value_type& entry) { return entry.second.FrameWanted(); });
}

bool ViewSet::DrawThenPresent(SpriteSink& sink) {
  bool drawn = false;
  for (auto& [id, view] : views_) {
    view.drawn_ = view.FrameWanted();
    if (!view.drawn_) continue;
    view.native_->FrameStarting();
    view.drawing_.DrawFrame(sink);
    drawn = true;
  }
  for (auto& [id, view] : views_) {
    if (view.drawn_) view.drawing_.Present();
  }
  return drawn;
}

}  // namespace veyora

#include "frontend/saver/renderer_window_look_up.h"

#include "platform/window_search.h"

namespace veyora::frontend {

bool RendererWindowLookUp::WindowPresent() {
  if (found_ != None && platform::WindowTitle(display_, found_) == title_) return true;
  found_ = platform::FindTopLevelWindow(display_, title_);
  return found_ != None;
}

}  // namespace veyora::frontend

#include "renderer/core/renderer_input.h"

#include <cstdlib>

namespace veyora {

InputAction RendererInput::KeyOrButtonPressed() {
  inputSeen_ = true;
  return InputAction::PostClose;
}

InputAction RendererInput::Deactivated() { return KeyOrButtonPressed(); }

InputAction RendererInput::MouseMoved(ScreenPoint cursor) {
  if (mouseMoveSeen_) {
    inputSeen_ = true;
  } else {
    mouseMoveSeen_ = true;
  }
  const int distance =
      std::abs(lastCursorPos_.x - cursor.x) + std::abs(lastCursorPos_.y - cursor.y);
  if (distance > CloseMouseDistance) return InputAction::PostClose;
  // Small steps move the reference along, so a slow drift never ends the renderer.
  lastCursorPos_ = cursor;
  return InputAction::KeepRunning;
}

InputAction RendererInput::CloseRequested() const {
  return inputSeen_ ? InputAction::EndRenderer : InputAction::KeepRunning;
}

}  // namespace veyora

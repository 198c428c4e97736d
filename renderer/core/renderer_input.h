#pragma once

namespace veyora {

// A point on the screen, in root-window coordinates.
struct ScreenPoint {
  int x = 0;
  int y = 0;
};

// What the window does after an input message.
enum class InputAction {
  KeepRunning,
  PostClose,    // queue a close request for the window itself
  EndRenderer,  // the close goes ahead: tear down and end
};

// The pointer must travel farther than this (|dx| + |dy|) between two motion
// messages to end the renderer.
constexpr int CloseMouseDistance = 4;

// True for the buttons whose press ends the renderer: 1, 2 and 3 (left, middle,
// right). Wheel steps and further buttons do not.
constexpr bool EndsOnButton(int button) { return button >= 1 && button <= 3; }

// The input rules of the renderer's window. Input asks for a close; a close request
// is honoured only after the first input that counts, so the window manager or the
// pointer settling under the new window cannot end the renderer by itself.
class RendererInput {
 public:
  explicit RendererInput(ScreenPoint cursorAtCreation) : lastCursorPos_(cursorAtCreation) {}

  // A key press (any key) or a press of buttons 1 to 3.
  InputAction KeyOrButtonPressed();
  // The window lost the focus to another client.
  InputAction Deactivated();
  // A motion message; `cursor` is the global pointer position now. The first one
  // never counts as input (the window may have come up under a resting pointer).
  InputAction MouseMoved(ScreenPoint cursor);
  // A close request, from the window manager or posted by the rules above. It goes
  // ahead once input has been seen: on Linux the desktop's screen locker guards
  // the screen, so there is no password to ask for.
  InputAction CloseRequested() const;

  bool InputSeen() const { return inputSeen_; }
  ScreenPoint LastCursorPos() const { return lastCursorPos_; }

 private:
  bool inputSeen_ = false;
  bool mouseMoveSeen_ = false;
  ScreenPoint lastCursorPos_;
};

}  // namespace veyora

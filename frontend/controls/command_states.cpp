#include "frontend/controls/command_states.h"

namespace veyora::frontend::controls {

Reaction CommandStates::Draw(Face face) {
  if (state_ == State::Idle || state_ == State::Focus) {
    hoverShade_ = false;
  } else if (state_ == State::Hover) {
    hoverShade_ = true;
  }
  Reaction reaction;
  reaction.face = face;
  return reaction;
}

// Each of the following runs its checks in order, each on the state the one
// before it left.

Reaction CommandStates::PointerOver() {
  if (!enabled_) return {};
  Reaction reaction;
  if (state_ == State::Idle) {
    state_ = State::Hover;
    reaction = Draw(Face::HighLight);
  }
  // While the button is held, coming back over it does not make it clickable again.
  if (state_ == State::Focus && !mouseHeld_) {
    state_ = State::FocusHover;
    reaction = Draw(Face::HighLightSelect);
  }
  return reaction;
}

Reaction CommandStates::PointerLeft() {
  if (!enabled_) return {};
  Reaction reaction;
  if (state_ == State::Hover) {
    state_ = State::Idle;
    reaction = Draw(Face::Normal);
  }
  if (state_ == State::FocusHover) {
    state_ = State::Focus;
    reaction = Draw(Face::Selected);
  }
  return reaction;
}

Reaction CommandStates::FocusIn() {
  if (!enabled_) return {};
  Reaction reaction;
  if (state_ != State::Hover) {
    state_ = State::Focus;
    reaction = Draw(Face::Selected);
  }
  // Focus arriving under the pointer: the press that brought it is still down.
  if (state_ == State::Hover) {
    state_ = State::FocusHover;
    reaction = Draw(Face::Pressed);
  }
  return reaction;
}

Reaction CommandStates::FocusOut() {
  if (!enabled_ || state_ == State::Idle) return {};
  state_ = State::Idle;
  return Draw(Face::Normal);
}

Reaction CommandStates::Press(bool leftButton) {
  if (!enabled_ || !leftButton) return {};
  mouseHeld_ = true;
  return Draw(Face::Pressed);
}

Reaction CommandStates::Release(bool leftButton) {
  if (!enabled_) return {};
  Reaction reaction;
  if (leftButton) {
    mouseHeld_ = false;
    if (state_ == State::Hover) reaction = Draw(Face::Normal);
    if (state_ == State::FocusHover) reaction = Draw(Face::HighLightSelect);
  }
  // Focus without the pointer means the press was dragged off the button.
  reaction.click = state_ != State::Focus;
  return reaction;
}

Reaction CommandStates::ShowEnabledFace() {
  Reaction reaction = Draw(enabled_ ? Face::Normal : Face::Disable);
  reaction.captionEnabled = enabled_;
  return reaction;
}

Reaction CommandStates::RepaintNormal() {
  if (!enabled_) return {};
  Reaction reaction = Draw(Face::Normal);
  reaction.captionEnabled = true;
  reaction.captionBlack = firstRun_ == 0;
  return reaction;
}

Reaction CommandStates::SetEnabled(bool enabled) {
  enabled_ = enabled;
  return ShowEnabledFace();
}

Reaction CommandStates::MarkReadOnce() {
  if (firstRun_ != 0) return {};
  Reaction reaction = RepaintNormal();
  firstRun_ = 1;
  enabled_ = true;
  return reaction;
}

void CommandStates::Load(bool enabled, std::uint8_t firstRun) {
  enabled_ = enabled;
  firstRun_ = firstRun;
}

}  // namespace veyora::frontend::controls

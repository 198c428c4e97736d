#pragma once

#include <cstdint>
#include <optional>

namespace veyora::frontend::controls {

// The six face bitmaps a Command button's frame is cut from.
enum class Face { Normal, HighLight, Pressed, Disable, HighLightSelect, Selected };

// Where focus and pointer stand for a Command button.
enum class State : std::uint8_t { Unset = 0, Idle = 1, Hover = 2, Focus = 3, FocusHover = 4 };

// What the widget has to do after one event: draw a face (with the shade direction
// HoverShade() now gives), enable or grey the caption, make the caption's text
// black, raise Click. Empty fields mean nothing to do.
struct Reaction {
  std::optional<Face> face;
  std::optional<bool> captionEnabled;
  bool captionBlack = false;
  bool click = false;
};

// The Command button's interaction logic, free of the toolkit: the widget feeds it
// focus, pointer and button events and carries out the reactions it returns.
// While the button is disabled every interaction is ignored.
class CommandStates {
 public:
  // Starts the interaction: Unset becomes Idle, nothing is drawn.
  void Initialize() { state_ = State::Idle; }

  // The pointer moved over the face or the caption.
  Reaction PointerOver();
  // The poll found the pointer somewhere else.
  Reaction PointerLeft();
  Reaction FocusIn();
  Reaction FocusOut();
  Reaction Press(bool leftButton);
  // A button released after a press on this button, wherever the pointer is now.
  Reaction Release(bool leftButton);

  // The face for the enabled flag as it stands, whatever the state: after a
  // resize or a change of Enabled.
  Reaction ShowEnabledFace();
  // Redraws the Normal face after a property change, a load or a save.
  Reaction RepaintNormal();

  Reaction SetEnabled(bool enabled);
  // Reading Enabled on a button never loaded marks it enabled (after a repaint
  // that the still-disabled button skips); returns that repaint.
  Reaction MarkReadOnce();
  bool Enabled() const { return enabled_; }

  // Loaded values; FirstRun stays 0 only on a button never loaded nor read.
  void Load(bool enabled, std::uint8_t firstRun);
  std::uint8_t FirstRun() const { return firstRun_; }

  State CurrentState() const { return state_; }
  // Whether the pointer leaving would change anything: only then is it worth
  // asking where the pointer is.
  bool PointerLeavingMatters() const {
    return enabled_ && (state_ == State::Hover || state_ == State::FocusHover);
  }
  // True when the interior runs from the shade colour at the top to white.
  bool HoverShade() const { return hoverShade_; }

 private:
  // Every drawing goes through here: Idle and Focus draw white-to-shade, Hover
  // shade-to-white, the other states keep the direction they had.
  Reaction Draw(Face face);

  bool hoverShade_ = false;
  std::uint8_t firstRun_ = 0;
  bool enabled_ = false;
  State state_ = State::Unset;
  bool mouseHeld_ = false;
};

}  // namespace veyora::frontend::controls

#include <gtest/gtest.h>

#include <optional>
#include <vector>

#include "frontend/controls/command_states.h"

using namespace veyora::frontend;

namespace {

using controls::CommandStates;
using controls::Face;
using controls::State;

enum class Event {
  Init,
  Over,
  Off,
  FocusIn,
  FocusOut,
  PressLeft,
  ReleaseLeft,
  ReleaseRight,
  Disable,
  Enable
};

// One event and what it must draw (nothing when empty) and whether it clicks.
struct Step {
  Event event;
  std::optional<Face> face;
  bool click = false;
};

struct Case {
  const char* name;
  std::vector<Step> steps;
  State end;
  bool hoverShade;
};

controls::Reaction Feed(CommandStates& states, Event event) {
  switch (event) {
    case Event::Init:
      states.Initialize();
      return {};
    case Event::Over:
      return states.PointerOver();
    case Event::Off:
      return states.PointerLeft();
    case Event::FocusIn:
      return states.FocusIn();
    case Event::FocusOut:
      return states.FocusOut();
    case Event::PressLeft:
      return states.Press(true);
    case Event::ReleaseLeft:
      return states.Release(true);
    case Event::ReleaseRight:
      return states.Release(false);
    case Event::Disable:
      return states.SetEnabled(false);
    case Event::Enable:
      return states.SetEnabled(true);
  }
  return {};
}

constexpr bool kClick = true;
constexpr std::nullopt_t kNothing = std::nullopt;

const Case kCases[] = {
    {"a click on an unfocused button, then pointer and focus go",
     {{Event::Init, kNothing},
      {Event::Over, Face::HighLight},
      {Event::PressLeft, Face::Pressed},
      {Event::FocusIn, Face::Pressed},
      {Event::ReleaseLeft, Face::HighLightSelect, kClick},
      {Event::Off, Face::Selected},
      {Event::Off, kNothing},
      {Event::FocusOut, Face::Normal},
      {Event::Off, kNothing}},
     State::Idle,
     false},
    {"a press dragged off and released outside",
     {{Event::Init, kNothing},
      {Event::Over, Face::HighLight},
      {Event::PressLeft, Face::Pressed},
      {Event::FocusIn, Face::Pressed},
      {Event::Off, Face::Selected},
      {Event::ReleaseLeft, kNothing}},
     State::Focus,
     false},
    {"a press dragged off and back before the release",
     {{Event::Init, kNothing},
      {Event::Over, Face::HighLight},
      {Event::PressLeft, Face::Pressed},
      {Event::FocusIn, Face::Pressed},
      {Event::Off, Face::Selected},
      {Event::Over, kNothing},
      {Event::ReleaseLeft, kNothing}},
     State::Focus,
     false},
    {"a right-button release over a hovered button",
     {{Event::Init, kNothing},
      {Event::Over, Face::HighLight},
      {Event::ReleaseRight, kNothing, kClick}},
     State::Hover,
     true},
    {"a left release while hovered without focus, until the pointer comes back",
     {{Event::Init, kNothing},
      {Event::Over, Face::HighLight},
      {Event::PressLeft, Face::Pressed},
      {Event::ReleaseLeft, Face::Normal, kClick},
      {Event::Over, kNothing},
      {Event::Off, Face::Normal},
      {Event::Over, Face::HighLight}},
     State::Hover,
     true},
    {"focus arriving under the pointer keeps the shade-to-white interior",
     {{Event::Init, kNothing}, {Event::Over, Face::HighLight}, {Event::FocusIn, Face::Pressed}},
     State::FocusHover,
     true},
    {"the pointer arriving at a focused button keeps the white-to-shade interior",
     {{Event::Init, kNothing},
      {Event::FocusIn, Face::Selected},
      {Event::Over, Face::HighLightSelect},
      {Event::ReleaseRight, kNothing, kClick}},
     State::FocusHover,
     false},
    {"disabled, everything is ignored; enabled again it shows Normal",
     {{Event::Init, kNothing},
      {Event::Over, Face::HighLight},
      {Event::Disable, Face::Disable},
      {Event::Off, kNothing},
      {Event::FocusIn, kNothing},
      {Event::PressLeft, kNothing},
      {Event::ReleaseLeft, kNothing},
      {Event::FocusOut, kNothing},
      {Event::Over, kNothing},
      {Event::Enable, Face::Normal}},
     State::Hover,
     true},
    {"before Initialize nothing hovers and the focusing click does not click",
     {{Event::Over, kNothing},
      {Event::Off, kNothing},
      {Event::PressLeft, Face::Pressed},
      {Event::FocusIn, Face::Selected},
      {Event::ReleaseLeft, kNothing},
      {Event::Over, Face::HighLightSelect}},
     State::FocusHover,
     false},
};

}  // namespace

TEST(CommandStates, FollowTheTransitionTable) {
  for (const Case& c : kCases) {
    SCOPED_TRACE(c.name);
    CommandStates states;
    states.Load(true, 1);
    for (std::size_t i = 0; i < c.steps.size(); ++i) {
      SCOPED_TRACE(i);
      const controls::Reaction reaction = Feed(states, c.steps[i].event);
      EXPECT_EQ(reaction.face, c.steps[i].face);
      EXPECT_EQ(reaction.click, c.steps[i].click);
    }
    EXPECT_EQ(states.CurrentState(), c.end);
    EXPECT_EQ(states.HoverShade(), c.hoverShade);
  }
}

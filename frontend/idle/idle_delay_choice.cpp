#include "frontend/idle/idle_delay_choice.h"

#include <algorithm>

#include "frontend/idle/idle_delay.h"

namespace veyora::frontend {

namespace {

using std::chrono::minutes;
using std::chrono::seconds;

// How long before the desktop's own blank or lock the screensaver starts.
constexpr seconds kLeadOnDesktop = minutes(1);
// Below this the lead would take most of the desktop's delay: half of it is used.
constexpr seconds kShortestLeadDelay = minutes(2);

}  // namespace

IdleDelayChoice ChooseIdleDelay(std::optional<seconds> given,
                                const std::optional<DesktopIdleChain>& desktop) {
  IdleDelayChoice choice;
  if (given) {
    choice.delay = *given;
    // At the same moment the desktop's blank or lock would end the run at its start.
    if (desktop && *given >= desktop->after) {
      choice.notice = desktop->what + " after " + IdleDelayForPeople(desktop->after) +
                      " of idle time, so the screensaver after " + IdleDelayForPeople(*given) +
                      " is not seen: change that " + desktop->where + ", or give a delay under " +
                      IdleDelayForPeople(desktop->after);
    }
    return choice;
  }
  choice.delay = kDefaultIdleDelay;
  if (!desktop) return choice;
  const seconds lead = desktop->after >= kShortestLeadDelay
                           ? desktop->after - kLeadOnDesktop
                           : std::max(seconds(1), desktop->after / 2);
  if (lead >= choice.delay) return choice;
  choice.delay = lead;
  choice.basis = "before " + desktop->what + " (after " + IdleDelayForPeople(desktop->after) + ")";
  return choice;
}

}  // namespace veyora::frontend

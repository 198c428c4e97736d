#include "frontend/startup/start_decision.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/shared_names.h"

using namespace veyora::frontend;

namespace {

const Settings kLoaded{1, 3, "/m/a.mp3"};

// A machine's answers: windows by title, the renderer, the claim, the host's window,
// what shows the session locked.
struct Machine {
  std::vector<std::string> windows;
  bool renderer = true;
  bool claimed = true;
  bool hostWindow = true;
  bool wayland = false;
  std::string lockedBy = {};
  // The session's displays.
  SessionDisplays displays = {true, false};
};

bool HasWindow(const Machine& machine, const char* title) {
  for (const std::string& window : machine.windows) {
    if (window == title) return true;
  }
  return false;
}

std::string Describe(const StartPlan& plan) {
  const std::string settings = plan.settings == kLoaded ? "" : " without the settings";
  switch (plan.action) {
    case StartAction::ShowPreview:
      return "preview " + std::to_string(plan.window);
    case StartAction::ShowSettingsDialog:
      return "dialog" + settings;
    case StartAction::RunScreensaver:
      return (plan.hidePointer ? "saver, pointer hidden" : "saver") + settings;
    case StartAction::RunScreensaverOnWayland:
      return (plan.hidePointer ? "Wayland saver, pointer hidden" : "Wayland saver") + settings;
    case StartAction::RunHosted:
      return "hosted in " + std::to_string(plan.window) + settings;
    case StartAction::RunHostedPreview:
      return "preview hosted in " + std::to_string(plan.window) + settings;
    case StartAction::End:
      switch (plan.telling) {
        case Telling::Nothing:
          return "end " + std::to_string(plan.status);
        case Telling::MessageBox:
          return "message, end " + std::to_string(plan.status);
        case Telling::ErrorLine:
          return "fail: " + plan.message + ", end " + std::to_string(plan.status);
      }
  }
  return "?";
}

// The questions the decision asks, in order, answered as `machine` would, and its plan.
std::vector<std::string> Decide(const std::string& line, const std::string& hostWindow,
                                const Machine& machine = {}) {
  const StartRequest request = ParseStartRequest(line, hostWindow);
  StartFacts facts;
  std::vector<std::string> steps;
  for (;;) {
    const auto decision = DecideStart(request, facts);
    if (const auto* plan = std::get_if<StartPlan>(&decision)) {
      steps.push_back(Describe(*plan));
      return steps;
    }
    switch (std::get<StartQuestion>(decision)) {
      case StartQuestion::Displays:
        // Always asked first.
        if (!steps.empty()) steps.push_back("displays?");
        facts.displays = machine.displays;
        break;
      case StartQuestion::HostWindowExists:
        steps.push_back("host?");
        facts.hostWindowExists = machine.hostWindow;
        break;
      case StartQuestion::SaverRunning:
        steps.push_back("saver?");
        facts.saverRunning = HasWindow(machine, names::kSaverTitle);
        break;
      case StartQuestion::DialogOpen:
        steps.push_back("dialog?");
        facts.dialogOpen = HasWindow(machine, names::kDialogTitle);
        break;
      case StartQuestion::Settings:
        steps.push_back("settings");
        facts.settings = kLoaded;
        break;
      case StartQuestion::RendererPresent:
        steps.push_back("renderer?");
        facts.rendererPresent = machine.renderer;
        break;
      case StartQuestion::SessionLocked:
        steps.push_back("locked?");
        facts.sessionLock = machine.lockedBy;
        break;
      case StartQuestion::SaverClaimed:
        steps.push_back("claim");
        facts.saverClaimed = machine.claimed;
        break;
      case StartQuestion::DialogClaimed:
        steps.push_back("dialog claim");
        facts.dialogClaimed = machine.claimed;
        break;
      case StartQuestion::RendererOnWayland:
        steps.push_back("wayland?");
        facts.rendererOnWayland = machine.wayland;
        break;
    }
    if (steps.size() > 10) return steps;  // a decision that never comes
  }
}

using Steps = std::vector<std::string>;

struct Case {
  const char* line;
  const char* hostWindow;
  Machine machine;
  Steps steps;
};

const Machine kNoRenderer{{}, false};
const Machine kClaimedElsewhere{{}, true, false};
const Machine kSaverOn{{names::kSaverTitle}};
const Machine kDialogOn{{names::kDialogTitle}};
const Machine kPreviewOn{{names::kPreviewTitle}};
const Machine kNoHostWindow{{}, true, true, false};
const Machine kWayland{{}, true, true, true, true};
const Machine kLocked{{}, true, true, true, true, "logind's LockedHint"};
const std::string kLockedEnd =
    "fail: the session is locked or its shield is up (logind's LockedHint): the screensaver does "
    "not start over it, end 0";
const Machine kWaylandOnly{{}, true, true, true, true, "", {false, true}};
const Machine kNoDisplay{{}, true, true, true, false, "", {false, false}};
const std::string kNeedsX = " needs an X display, and no X server answers (DISPLAY), end 1";
const std::string kMissing =
    std::string("the renderer ") + names::kRendererFile + " is not next to " + names::kFrontEndFile;

const Case kCases[] = {
    // The dispatch table.
    {"/p 1234", "", {}, {"saver?", "dialog?", "preview 1234"}},
    {"/c:99", "", {}, {"saver?", "dialog?", "settings", "renderer?", "dialog claim", "dialog"}},
    {"/S",
     "",
     {},
     {"saver?", "dialog?", "settings", "renderer?", "locked?", "claim", "wayland?",
      "saver, pointer hidden"}},
    {"",
     "",
     {},
     {"saver?", "dialog?", "settings", "renderer?", "locked?", "claim", "wayland?", "saver"}},
    // On a Wayland desktop the run follows the renderer by its process.
    {"/s",
     "",
     kWayland,
     {"saver?", "dialog?", "settings", "renderer?", "locked?", "claim", "wayland?",
      "Wayland saver, pointer hidden"}},
    {"",
     "",
     kWayland,
     {"saver?", "dialog?", "settings", "renderer?", "locked?", "claim", "wayland?",
      "Wayland saver"}},
    {"/c", "", kWayland, {"saver?", "dialog?", "settings", "renderer?", "dialog claim", "dialog"}},
    {"-window-id 42",
     "",
     kWayland,
     {"host?", "renderer?", "preview hosted in 42 without the settings"}},
    // A Wayland session without an X server: the windows of its own, not others' X11 ones.
    {"/s",
     "",
     kWaylandOnly,
     {"saver?", "dialog?", "settings", "renderer?", "locked?", "claim", "wayland?",
      "Wayland saver, pointer hidden"}},
    {"/c",
     "",
     kWaylandOnly,
     {"saver?", "dialog?", "settings", "renderer?", "dialog claim", "dialog"}},
    {"/p 1234",
     "",
     kWaylandOnly,
     {"fail: the preview in the display settings' X11 pane (/p)" + kNeedsX}},
    {"-root",
     "42",
     kWaylandOnly,
     {"fail: a run in a screen-saver host's X11 window (XSCREENSAVER_WINDOW)" + kNeedsX}},
    {"-window-id 42",
     "",
     kWaylandOnly,
     {"fail: a host's live preview in its X11 window (-window-id)" + kNeedsX}},
    {"/s",
     "",
     {{}, true, true, true, false, "", {false, true}},
     {"saver?", "dialog?", "settings", "renderer?", "locked?", "claim", "wayland?",
      "fail: the renderer told to use X11 (SDL_VIDEODRIVER)" + kNeedsX}},
    {"/c",
     "",
     kNoDisplay,
     {"fail: cannot open the X display, and the session has no Wayland display, end 1"}},
    {"/c",
     "",
     kClaimedElsewhere,
     {"saver?", "dialog?", "settings", "renderer?", "dialog claim", "end 0"}},
    // Never over the desktop's lock; a host's lock draws its own saver under it.
    {"/s", "", kLocked, {"saver?", "dialog?", "settings", "renderer?", "locked?", kLockedEnd}},
    {"", "", kLocked, {"saver?", "dialog?", "settings", "renderer?", "locked?", kLockedEnd}},
    {"/c", "", kLocked, {"saver?", "dialog?", "settings", "renderer?", "dialog claim", "dialog"}},
    {"-root", "42", kLocked, {"host?", "settings", "renderer?", "hosted in 42"}},
    {"/s",
     "",
     kClaimedElsewhere,
     {"saver?", "dialog?", "settings", "renderer?", "locked?", "claim", "end 0"}},
    {"/a 1234", "", {}, {"saver?", "dialog?", "settings", "renderer?", "end 0"}},
    {"s", "", {}, {"saver?", "dialog?", "settings", "renderer?", "end 0"}},
    {"/x", "", {}, {"saver?", "dialog?", "settings", "renderer?", "end 0"}},
    // Another instance's saver run or dialog ends every start silently; a preview does not.
    {"/p 5", "", kSaverOn, {"saver?", "end 0"}},
    {"/c", "", kSaverOn, {"saver?", "end 0"}},
    {"/s", "", kSaverOn, {"saver?", "end 0"}},
    {"", "", kDialogOn, {"saver?", "dialog?", "end 0"}},
    {"/a", "", kDialogOn, {"saver?", "dialog?", "end 0"}},
    {"/p 5", "", kDialogOn, {"saver?", "dialog?", "end 0"}},
    {"/c",
     "",
     kPreviewOn,
     {"saver?", "dialog?", "settings", "renderer?", "dialog claim", "dialog"}},
    // A missing renderer stops every mode but the preview, with the message.
    {"/c", "", kNoRenderer, {"saver?", "dialog?", "settings", "renderer?", "message, end 0"}},
    {"/s", "", kNoRenderer, {"saver?", "dialog?", "settings", "renderer?", "message, end 0"}},
    {"", "", kNoRenderer, {"saver?", "dialog?", "settings", "renderer?", "message, end 0"}},
    {"/a", "", kNoRenderer, {"saver?", "dialog?", "settings", "renderer?", "message, end 0"}},
    {"/p", "", kNoRenderer, {"saver?", "dialog?", "preview 0"}},
    // A host's window, without looking for other runs.
    {"-root", "0x2a", {}, {"host?", "settings", "renderer?", "hosted in 42"}},
    {"", "42", {}, {"host?", "settings", "renderer?", "hosted in 42"}},
    {"-window-id 42", "", {}, {"host?", "renderer?", "preview hosted in 42 without the settings"}},
    {"-window-id x", "", {}, {"fail: no window to draw in: \"x\", end 1"}},
    {"-root", "", {}, {"fail: no window to draw in: \"\", end 1"}},
    {"--window-id 99", "", kNoHostWindow, {"host?", "fail: no window to draw in: \"99\", end 1"}},
    {"--root",
     "42",
     kNoRenderer,
     {"host?", "settings", "renderer?", "fail: " + kMissing + ", end 1"}},
};

}  // namespace

TEST(DecideStart, AsksInTheStartsOrderAndPlansEachMode) {
  for (const Case& c : kCases) {
    EXPECT_EQ(Decide(c.line, c.hostWindow, c.machine), c.steps) << c.line << " / " << c.hostWindow;
  }
}

TEST(DecideStart, TheMissingRendererMessageAndTheSettingsGivenToTheWindows) {
  StartFacts facts;
  facts.displays = SessionDisplays{true, false};
  facts.saverRunning = facts.dialogOpen = false;
  facts.settings = kLoaded;
  facts.rendererPresent = false;
  const auto message = std::get<StartPlan>(DecideStart(ParseStartRequest("/s"), facts));
  EXPECT_EQ(message.caption, "Veyora(Ra05) (ScreenSaver)");
  EXPECT_EQ(message.message, "Veyora(Ra05).dll が Veyora(Ra05).scr と同じﾌｫﾙﾀﾞに見つかりません！");
  // Look-ups that failed count as "no" and the settings as the start values.
  facts.settings = Settings{};
  facts.rendererPresent = true;
  facts.sessionLock = "";
  facts.saverClaimed = true;
  facts.rendererOnWayland = false;
  const auto saver = std::get<StartPlan>(DecideStart(ParseStartRequest("/s"), facts));
  EXPECT_EQ(saver.action, StartAction::RunScreensaver);
  EXPECT_EQ(saver.settings, Settings{});
}

#include <gtest/gtest.h>

#include <stdexcept>
#include <string>
#include <vector>

#include "frontend/startup/main_procedure.h"
#include "platform/shared_names.h"

using namespace veyora::frontend;

namespace {

const Settings kLoaded{1, 3, "/m/a.mp3"};

// Records every step Main takes, in order, with what the windows were handed.
struct RecordedStart {
  std::vector<std::string> existingWindows;
  bool rendererPresent = true;
  bool claimed = true;
  std::vector<std::string> calls;

  Main_Steps Steps() {
    Main_Steps steps;
    steps.windowExists = [this](const std::string& title) {
      calls.push_back("find " + title);
      for (const auto& window : existingWindows) {
        if (window == title) return true;
      }
      return false;
    };
    steps.loadSettings = [this] {
      calls.push_back("settings");
      return kLoaded;
    };
    steps.rendererPresent = [this] {
      calls.push_back("renderer?");
      return rendererPresent;
    };
    steps.reportMissingRenderer = [this] { calls.push_back("message"); };
    steps.claimSaverRun = [this] {
      calls.push_back("claim");
      return claimed;
    };
    steps.hidePointer = [this] {
      calls.push_back("hide pointer");
      return -1;
    };
    steps.endProgram = [this] { calls.push_back("end"); };
    steps.endWithFailure = [this](const std::string& what) { calls.push_back("fail: " + what); };
    steps.hostWindowExists = [this](uint32_t window) {
      calls.push_back("host " + std::to_string(window) + "?");
      return window != 99;
    };
    steps.hostPreview = [this](uint32_t pane) { calls.push_back("preview " + std::to_string(pane)); };
    steps.showSettingsDialogModal = [this](Settings& settings) {
      calls.push_back(settings == kLoaded ? "dialog" : "dialog without the settings");
    };
    steps.loadSaverWindow = [this](const Settings& settings, std::optional<int> pointerCount) {
      calls.push_back(settings == kLoaded ? "saver" : "saver without the settings");
      calls.push_back(pointerCount ? "count " + std::to_string(*pointerCount) : "no count");
    };
    steps.loadHostedRun = [this](const Settings& settings, uint32_t window, bool withMusic) {
      calls.push_back("hosted in " + std::to_string(window) +
                      (withMusic ? (settings == kLoaded ? " with music" : " without the settings")
                                 : " without music"));
    };
    return steps;
  }

  std::vector<std::string> Run(const std::string& commandLine, const std::string& hostWindow = "") {
    Main(ParseStartRequest(commandLine, hostWindow), Steps());
    return calls;
  }
};

using Calls = std::vector<std::string>;
const std::string kFindSaver = std::string("find ") + names::kSaverTitle;
const std::string kFindDialog = std::string("find ") + names::kDialogTitle;

}  // namespace

TEST(Main, FollowsTheDispatchTable) {
  EXPECT_EQ(RecordedStart().Run("/p 1234"), (Calls{kFindSaver, kFindDialog, "preview 1234"}));
  EXPECT_EQ(RecordedStart().Run("/c:99"),
            (Calls{kFindSaver, kFindDialog, "settings", "renderer?", "dialog", "end"}));
  EXPECT_EQ(RecordedStart().Run("/S"), (Calls{kFindSaver, kFindDialog, "settings", "renderer?",
                                              "claim", "hide pointer", "saver", "count -1"}));
  EXPECT_EQ(RecordedStart().Run(""), (Calls{kFindSaver, kFindDialog, "settings", "renderer?",
                                            "claim", "saver", "no count"}));
  // Another run that started at the same moment holds the claim.
  RecordedStart second;
  second.claimed = false;
  EXPECT_EQ(second.Run("/s"),
            (Calls{kFindSaver, kFindDialog, "settings", "renderer?", "claim", "end"}));
  for (const char* line : {"/a 1234", "s", "/x"}) {
    EXPECT_EQ(RecordedStart().Run(line),
              (Calls{kFindSaver, kFindDialog, "settings", "renderer?", "end"}))
        << line;
  }
}

TEST(Main, EndsSilentlyWhileASaverRunOrTheDialogIsOn) {
  for (const char* window : {names::kSaverTitle, names::kDialogTitle}) {
    for (const char* line : {"/p 5", "/c", "/s", "", "/a"}) {
      RecordedStart start;
      start.existingWindows = {window};
      const Calls calls = start.Run(line);
      ASSERT_FALSE(calls.empty());
      EXPECT_EQ(calls.back(), "end") << window << " " << line;
      // Nothing but the look-ups came before the end.
      for (size_t i = 0; i + 1 < calls.size(); ++i) EXPECT_EQ(calls[i].rfind("find", 0), 0u);
    }
  }
  // A running preview does not count.
  RecordedStart start;
  start.existingWindows = {names::kPreviewTitle};
  EXPECT_EQ(start.Run("/c").back(), "end");
  EXPECT_EQ(start.calls.size(), 6u);
}

TEST(Main, AMissingRendererStopsEveryModeButThePreviewWithTheMessage) {
  for (const char* line : {"/c", "/s", "", "/a"}) {
    RecordedStart start;
    start.rendererPresent = false;
    EXPECT_EQ(start.Run(line),
              (Calls{kFindSaver, kFindDialog, "settings", "renderer?", "message", "end"}))
        << line;
  }
  RecordedStart preview;
  preview.rendererPresent = false;
  EXPECT_EQ(preview.Run("/p"), (Calls{kFindSaver, kFindDialog, "preview 0"}));
}

TEST(Main, RunsInAHostsWindowWithoutLookingForOtherRuns) {
  EXPECT_EQ(RecordedStart().Run("-root", "0x2a"),
            (Calls{"host 42?", "settings", "renderer?", "hosted in 42 with music"}));
  EXPECT_EQ(RecordedStart().Run("", "42"),
            (Calls{"host 42?", "settings", "renderer?", "hosted in 42 with music"}));
  EXPECT_EQ(RecordedStart().Run("-window-id 42"),
            (Calls{"host 42?", "renderer?", "hosted in 42 without music"}));
  // A window that is none, or that does not exist, and a missing renderer end it.
  EXPECT_EQ(RecordedStart().Run("-window-id x"), (Calls{"fail: no window to draw in: \"x\""}));
  EXPECT_EQ(RecordedStart().Run("--window-id 99"),
            (Calls{"host 99?", "fail: no window to draw in: \"99\""}));
  RecordedStart noRenderer;
  noRenderer.rendererPresent = false;
  ASSERT_EQ(noRenderer.Run("--root", "42").size(), 4u);
  EXPECT_EQ(noRenderer.calls.back().rfind("fail: the renderer", 0), 0u);
}

TEST(Main, SkipsAFailingStepAndGoesOn) {
  RecordedStart start;
  Main_Steps steps = start.Steps();
  steps.windowExists = [](const std::string&) -> bool { throw std::runtime_error("no display"); };
  steps.loadSettings = []() -> Settings { throw std::runtime_error("bad file"); };
  steps.hidePointer = []() -> int { throw std::runtime_error("no pointer"); };
  Main(ParseStartRequest("/s"), steps);
  // The saver gets the start values and no count to hand back.
  EXPECT_EQ(start.calls, (Calls{"renderer?", "claim", "saver without the settings", "no count"}));

  // Steps not provided are skipped as well.
  Main_Steps none;
  Main(ParseStartRequest("/s"), none);
  Main(ParseStartRequest("/p 1"), none);
}

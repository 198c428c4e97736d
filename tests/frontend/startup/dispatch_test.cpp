#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "frontend/startup/dispatch.h"

using namespace veyora::frontend;

TEST(CommandLineText, JoinsTheArgumentsAfterTheProgramNameWithSingleBlanks) {
  const char* none[] = {"scr"};
  const char* two[] = {"scr", "/p", "1234"};
  const char* spaced[] = {"scr", "a  b", "", "c"};
  EXPECT_EQ(CommandLineText(1, none), "");
  EXPECT_EQ(CommandLineText(3, two), "/p 1234");
  EXPECT_EQ(CommandLineText(4, spaced), "a  b  c");
}

TEST(ParseStartRequest, ReadsTheModeAndThePreviewPaneOnce) {
  EXPECT_EQ(ParseStartRequest("/p 77").mode, Start_Mode::Preview);
  EXPECT_EQ(ParseStartRequest("/p 77").previewParent, 77u);
  EXPECT_EQ(ParseStartRequest("/s 77").previewParent, 0u);
}

TEST(ParseStartRequest, TellsTheHostsStartsFromTheScreensaverSwitches) {
  struct Case {
    std::string line, variable;
    Start_Mode mode;
    uint32_t window;
  };
  for (const Case& c :
       std::vector<Case>{{"-root", "0x1E00003", Start_Mode::Hosted, 0x1E00003},
                         {"--root", "31457283", Start_Mode::Hosted, 31457283},
                         {"", "31457283", Start_Mode::Hosted, 31457283},
                         {"-root", "", Start_Mode::Hosted, 0},
                         {"-window-id 0x2A", "", Start_Mode::HostedPreview, 42},
                         {"-root -window-id 42", "7", Start_Mode::HostedPreview, 42},
                         {"--window-id", "", Start_Mode::HostedPreview, 0},
                         // A host's variable does not turn switches into hosts.
                         {"/s", "42", Start_Mode::RunCursorHidden, 0},
                         {"/c", "42", Start_Mode::Configure, 0},
                         {"", "", Start_Mode::RunCursorVisible, 0}}) {
    const StartRequest request = ParseStartRequest(c.line, c.variable);
    EXPECT_EQ(request.mode, c.mode) << c.line << " / " << c.variable;
    EXPECT_EQ(request.hostWindow, c.window) << c.line << " / " << c.variable;
  }
}

TEST(DispatchMode, OnlyTheSecondCharacterCounts) {
  for (const char* line : {"/s", "/S", "-s", "/scr", "xs", "/s 99"}) {
    EXPECT_EQ(DispatchMode(line), Start_Mode::RunCursorHidden) << line;
  }
  for (const char* line : {"/c", "/C", "/c:1234", "-c 5"}) {
    EXPECT_EQ(DispatchMode(line), Start_Mode::Configure) << line;
  }
  for (const char* line : {"/p 1234", "/P", "/p:1234", "-p"}) {
    EXPECT_EQ(DispatchMode(line), Start_Mode::Preview) << line;
  }
  EXPECT_EQ(DispatchMode(""), Start_Mode::RunCursorVisible);
  for (const char* line : {"s", "/a 1234", "/a", "/x", " ", "//s", "/", "/ä", "/ſ"}) {
    EXPECT_EQ(DispatchMode(line), Start_Mode::Quit) << line;
  }
}

TEST(SwitchLetter, CountsCharactersNotBytes) {
  EXPECT_EQ(SwitchLetter("/s"), "S");
  EXPECT_EQ(SwitchLetter("s"), "");
  EXPECT_EQ(SwitchLetter(""), "");
  EXPECT_EQ(SwitchLetter("äs"), "S");
  EXPECT_EQ(SwitchLetter("/設定"), "設");
  // A byte that starts no UTF-8 sequence is a character of its own.
  EXPECT_EQ(SwitchLetter("\xFFs"), "S");
  EXPECT_EQ(SwitchLetter("\xE3\x81s"), "\x81");
}

TEST(PreviewParentHandle, ReadsTheNumberFromTheFourthCharacterOnRoundingHalvesToEven) {
  const std::vector<std::pair<std::string, uint32_t>> cases = {
      {"/p 1234", 1234u},
      {"/p:1234", 1234u},
      {"/p1234", 234u},
      {"/p   12 34", 1234u},
      {"/p &H1E00003", 0x1E00003u},
      {"/p 4294967295", 4294967295u},
      {"ä/p 77", 77u},
      {"/p 2.5", 2u},
      {"/p 3.5", 4u},
      {"/p 7.49", 7u},
      // No number, or one outside a window id, gives 0.
      {"/p", 0u},
      {"/p ", 0u},
      {"/p pane", 0u},
      {"/p -5", 0u},
      {"/p 4294967296", 0u},
      {"/p 1e999", 0u},
      {"/p " + std::string(100000, '9'), 0u}};
  for (const auto& [line, handle] : cases) {
    EXPECT_EQ(PreviewParentHandle(line), handle) << line.substr(0, 20);
  }
}

#include <gtest/gtest.h>

#include <string_view>
#include <utility>
#include <vector>

#include "renderer/core/command_line.h"

namespace veyora {
namespace {

TEST(ParseRendererCommandLineTest, FindsTheHostWindowAndIgnoresTheRest) {
  const std::vector<std::pair<std::vector<std::string_view>, RendererRequest>> cases{
      {{}, {}},
      {{"/s", "-root", "anything"}, {}},
      {{"-window-id", "0x2a00007"}, {true, 0x2a00007}},
      {{"--window-id", "0X2A00007"}, {true, 0x2a00007}},
      {{"-root", "-window-id", "44040199", "-window-id", "5"}, {true, 44040199}},  // first counts
      {{"-window-id", "0"}, {true, std::nullopt}},  // 0 names no window
      {{"-window-id"}, {true, std::nullopt}},
      {{"-window-id", "garbage"}, {true, std::nullopt}},
      {{"-window-id=0x10"}, {}}};
  for (std::size_t i = 0; i < cases.size(); ++i) {
    EXPECT_EQ(ParseRendererCommandLine(cases[i].first), cases[i].second) << "case " << i;
  }
}

}  // namespace
}  // namespace veyora

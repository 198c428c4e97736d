#include <gtest/gtest.h>

#include <string_view>
#include <utility>
#include <vector>

#include "renderer/shell/command_line.h"

namespace veyora {
namespace {

TEST(ParseRendererCommandLineTest, FindsTheHostWindowAndIgnoresTheRest) {
  const std::vector<std::pair<std::vector<std::string_view>, RendererRequest>> cases{
      {{}, {}},
      {{"/s", "-root", "anything"}, {}},
      {{"-window-id", "0x2a00007"}, {true, 0x2a00007}},
      {{"--window-id", "0X2A00007"}, {true, 0x2a00007}},
      {{"-root", "-window-id", "44040199", "-window-id", "5"}, {true, 44040199}},  // first counts
      {{"-window-id", "0"}, {true, 0}},
      {{"-window-id"}, {true, std::nullopt}},
      {{"-window-id", "garbage"}, {true, std::nullopt}},
      {{"-window-id=0x10"}, {}}};
  for (std::size_t i = 0; i < cases.size(); ++i) {
    EXPECT_EQ(ParseRendererCommandLine(cases[i].first), cases[i].second) << "case " << i;
  }
}

TEST(ParseWindowIdTest, DecimalOrHexadecimalAfter0xOnly) {
  EXPECT_EQ(ParseWindowId("0123"), 123u);
  EXPECT_EQ(ParseWindowId("0xffffffff"), 0xffffffffu);
  for (std::string_view bad : {"", "0x", "-5", "+5", " 5", "5 ", "12abc", "0x0x1", "&H10",
                               "0xfffffffff", "4294967296"}) {
    EXPECT_EQ(ParseWindowId(bad), std::nullopt) << bad;
  }
}

}  // namespace
}  // namespace veyora

#include <gtest/gtest.h>

#include <string_view>
#include <vector>

#include "renderer/shell/command_line.h"

namespace veyora {
namespace {

struct CommandLineCase {
  std::vector<std::string_view> arguments;
  RendererRequest request;
};

class ParseRendererCommandLineTest : public ::testing::TestWithParam<CommandLineCase> {};

TEST_P(ParseRendererCommandLineTest, FindsTheHostWindow) {
  EXPECT_EQ(ParseRendererCommandLine(GetParam().arguments), GetParam().request);
}

INSTANTIATE_TEST_SUITE_P(
    Arguments, ParseRendererCommandLineTest,
    ::testing::Values(
        CommandLineCase{{}, {}},
        CommandLineCase{{"/s", "-root", "anything"}, {}},
        CommandLineCase{{"-window-id", "0x2a00007"}, {true, 0x2a00007}},
        CommandLineCase{{"--window-id", "0X2A00007"}, {true, 0x2a00007}},
        CommandLineCase{{"-root", "-window-id", "44040199", "-window-id", "5"}, {true, 44040199}},
        CommandLineCase{{"-window-id", "0"}, {true, 0}},
        CommandLineCase{{"-window-id"}, {true, std::nullopt}},
        CommandLineCase{{"-window-id", "garbage"}, {true, std::nullopt}},
        CommandLineCase{{"-window-id=0x10"}, {}}));

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

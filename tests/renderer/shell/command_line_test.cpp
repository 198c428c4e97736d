#include <gtest/gtest.h>

#include <string_view>
#include <vector>

#include "renderer/shell/command_line.h"

namespace veyora {
namespace {

struct CommandLineCase {
  const char* name;
  std::vector<std::string_view> arguments;
  RendererRequest request;
};

void PrintTo(const CommandLineCase& c, std::ostream* os) { *os << c.name; }

class ParseRendererCommandLineTest : public ::testing::TestWithParam<CommandLineCase> {};

TEST_P(ParseRendererCommandLineTest, FindsTheHostWindow) {
  EXPECT_EQ(ParseRendererCommandLine(GetParam().arguments), GetParam().request);
}

INSTANTIATE_TEST_SUITE_P(
    Arguments, ParseRendererCommandLineTest,
    ::testing::Values(
        CommandLineCase{"NoArguments", {}, {}},
        CommandLineCase{"OthersIgnored", {"/s", "-root", "anything"}, {}},
        CommandLineCase{"Hexadecimal", {"-window-id", "0x2a00007"}, {true, 0x2a00007}},
        CommandLineCase{"DoubleDashUpperX", {"--window-id", "0X2A00007"}, {true, 0x2a00007}},
        CommandLineCase{"DecimalFirstCounts", {"-root", "-window-id", "44040199", "-window-id", "5"},
                        {true, 44040199}},
        CommandLineCase{"Zero", {"-window-id", "0"}, {true, 0}},
        CommandLineCase{"Missing", {"-window-id"}, {true, std::nullopt}},
        CommandLineCase{"Garbage", {"-window-id", "garbage"}, {true, std::nullopt}},
        CommandLineCase{"JoinedIsNotTheSwitch", {"-window-id=0x10"}, {}}),
    [](const ::testing::TestParamInfo<CommandLineCase>& info) { return info.param.name; });

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

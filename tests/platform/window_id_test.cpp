#include "platform/window_id.h"

#include <gtest/gtest.h>

#include <optional>
#include <string_view>

TEST(ParseWindowId, DecimalOrHexadecimalAfterItsPrefixAndNeverZero) {
  const struct {
    std::string_view text;
    std::optional<uint32_t> id;
  } cases[] = {
      {"0x1e00003", 0x1E00003u},
      {"0XFFFFFFFF", 0xFFFFFFFFu},
      {"31457283", 31457283u},
      {"0123", 123u},
      {"0", std::nullopt},
      {"0x0", std::nullopt},
      {"", std::nullopt},
      {"0x", std::nullopt},
      {"-5", std::nullopt},
      {"+5", std::nullopt},
      {" 5", std::nullopt},
      {"5 ", std::nullopt},
      {"12a", std::nullopt},
      {"1e3", std::nullopt},
      {"0x0x1", std::nullopt},
      {"&H10", std::nullopt},
      {"0x100000000", std::nullopt},
      {"4294967296", std::nullopt},
  };
  for (const auto& c : cases) EXPECT_EQ(platform::ParseWindowId(c.text), c.id) << c.text;
}

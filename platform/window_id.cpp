#include "platform/window_id.h"

#include <charconv>

namespace platform {

std::optional<uint32_t> ParseWindowId(std::string_view text) {
  int base = 10;
  if (text.starts_with("0x") || text.starts_with("0X")) {
    base = 16;
    text.remove_prefix(2);
  }
  uint32_t id = 0;
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), id, base);
  if (text.empty() || error != std::errc() || end != text.data() + text.size() || id == 0) {
    return std::nullopt;
  }
  return id;
}

}  // namespace platform

#include "renderer/shell/command_line.h"

#include <charconv>
#include <cstdint>

namespace veyora {

RendererRequest ParseRendererCommandLine(std::span<const std::string_view> arguments) {
  for (std::size_t i = 0; i < arguments.size(); ++i) {
    if (arguments[i] != "-window-id" && arguments[i] != "--window-id") continue;
    RendererRequest request{true, std::nullopt};
    if (i + 1 < arguments.size()) request.window = ParseWindowId(arguments[i + 1]);
    return request;
  }
  return {};
}

std::optional<unsigned long> ParseWindowId(std::string_view text) {
  int base = 10;
  if (text.starts_with("0x") || text.starts_with("0X")) {
    text.remove_prefix(2);
    base = 16;
  }
  std::uint32_t id = 0;
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), id, base);
  if (text.empty() || error != std::errc{} || end != text.data() + text.size()) return std::nullopt;
  return id;
}

}  // namespace veyora

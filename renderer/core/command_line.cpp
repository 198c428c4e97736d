#include "renderer/core/command_line.h"

#include "platform/window_id.h"

namespace veyora {

RendererRequest ParseRendererCommandLine(std::span<const std::string_view> arguments) {
  for (std::size_t i = 0; i < arguments.size(); ++i) {
    if (arguments[i] != "-window-id" && arguments[i] != "--window-id") continue;
    RendererRequest request{true, std::nullopt};
    if (i + 1 < arguments.size()) request.window = platform::ParseWindowId(arguments[i + 1]);
    return request;
  }
  return {};
}

}  // namespace veyora

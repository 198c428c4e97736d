#pragma once

#include <optional>
#include <span>
#include <string_view>

namespace veyora {

// What the renderer's command line asks for.
struct RendererRequest {
  // "-window-id <id>" (or "--window-id <id>"): draw into that window, owned by a
  // screen-saver host, instead of covering the screens.
  bool hosted = false;
  // The window's id; none when the text after the switch names no window.
  std::optional<unsigned long> window;
  bool operator==(const RendererRequest&) const = default;
};

// Reads the arguments after the program's name. Without "-window-id" the renderer
// covers the screens, as when it is started with no arguments; every other argument
// is ignored. When the switch comes more than once, the first counts.
RendererRequest ParseRendererCommandLine(std::span<const std::string_view> arguments);

}  // namespace veyora

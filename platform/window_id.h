#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

namespace platform {

// An X window id as the screen-saver hosts write it and as the front end hands it
// to the renderer: hexadecimal after "0x" or "0X", or decimal. None for anything
// else (signs, blanks, other characters, more than 32 bits) and for 0, which
// names no window.
std::optional<uint32_t> ParseWindowId(std::string_view text);

}  // namespace platform

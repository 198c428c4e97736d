#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace veyora::frontend {

// Conversion between the program's UTF-8 texts and the Japanese Windows code page
// (CP932, Shift-JIS) through iconv. nullopt when the text holds a character the
// other side cannot represent, or is not well-formed in its own encoding.
std::optional<std::string> Utf8ToCp932(std::string_view utf8);
std::optional<std::string> Cp932ToUtf8(std::string_view cp932);

// True for a byte that starts a CP932 double-byte character.
constexpr bool IsCp932LeadByte(unsigned char byte) {
  return (byte >= 0x81 && byte <= 0x9F) || (byte >= 0xE0 && byte <= 0xFC);
}

}  // namespace veyora::frontend

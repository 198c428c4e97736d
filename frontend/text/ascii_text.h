#pragma once

#include <string>
#include <string_view>

namespace veyora::frontend {

// The program compares and trims its texts the way the Windows program did: only
// ASCII letters fold and only blanks and tabs are trimmed; every other byte (the
// bytes of Japanese characters included) stays as it is.

constexpr bool IsBlank(char c) { return c == ' ' || c == '\t'; }

// The text without the blanks and tabs at either end.
std::string_view TrimBlanks(std::string_view text);

// ASCII letters upper-cased, every other byte unchanged.
constexpr char UpperAscii(char c) {
  return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c;
}
std::string UpperAscii(std::string_view text);

bool EqualsIgnoringAsciiCase(std::string_view a, std::string_view b);

}  // namespace veyora::frontend

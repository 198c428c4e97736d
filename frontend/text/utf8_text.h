#pragma once

#include <cstddef>
#include <string_view>

namespace veyora::frontend {

// Length in bytes of the character starting at `at`: a well-formed UTF-8
// sequence, or else one byte.
size_t Utf8CharacterLength(std::string_view text, size_t at);

// Byte offset of the character with this zero-based index; the text's size when
// the text is shorter.
size_t Utf8CharacterOffset(std::string_view text, size_t index);

// True when every byte of the text belongs to a well-formed UTF-8 sequence.
bool IsWellFormedUtf8(std::string_view text);

}  // namespace veyora::frontend

#include "frontend/text/utf8_text.h"

namespace veyora::frontend {

size_t Utf8CharacterLength(std::string_view text, size_t at) {
  const auto lead = static_cast<unsigned char>(text[at]);
  size_t length = 1;
  if (lead >= 0xC2 && lead <= 0xDF) length = 2;
  if (lead >= 0xE0 && lead <= 0xEF) length = 3;
  if (lead >= 0xF0 && lead <= 0xF4) length = 4;
  if (at + length > text.size()) return 1;
  for (size_t i = 1; i < length; ++i) {
    if ((static_cast<unsigned char>(text[at + i]) & 0xC0) != 0x80) return 1;
  }
  return length;
}

size_t Utf8CharacterOffset(std::string_view text, size_t index) {
  size_t at = 0;
  for (size_t i = 0; i < index && at < text.size(); ++i) at += Utf8CharacterLength(text, at);
  return at;
}

bool IsWellFormedUtf8(std::string_view text) {
  for (size_t at = 0; at < text.size();) {
    const size_t length = Utf8CharacterLength(text, at);
    if (length == 1 && static_cast<unsigned char>(text[at]) >= 0x80) return false;
    at += length;
  }
  return true;
}

}  // namespace veyora::frontend

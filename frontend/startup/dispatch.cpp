#include "frontend/startup/dispatch.h"

#include <cmath>

#include "frontend/startup/number_text.h"

namespace {

// Length in bytes of the character starting at `at`: a well-formed UTF-8 sequence,
// or else one byte.
size_t CharacterLength(std::string_view text, size_t at) {
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

// Byte offset of the character with this zero-based index; the text's size when
// the text is shorter.
size_t CharacterOffset(std::string_view text, size_t index) {
  size_t at = 0;
  for (size_t i = 0; i < index && at < text.size(); ++i) at += CharacterLength(text, at);
  return at;
}

}  // namespace

std::string Command_Line;

std::string CommandLineText(int argc, const char* const* argv) {
  std::string text;
  for (int i = 1; i < argc; ++i) {
    if (i > 1) text += ' ';
    text += argv[i];
  }
  return text;
}

std::string SwitchLetter(std::string_view commandLine) {
  const size_t at = CharacterOffset(commandLine, 1);
  if (at >= commandLine.size()) return {};
  std::string letter(commandLine.substr(at, CharacterLength(commandLine, at)));
  if (letter.size() == 1 && letter[0] >= 'a' && letter[0] <= 'z') letter[0] -= 'a' - 'A';
  return letter;
}

Start_Mode DispatchMode(std::string_view commandLine) {
  const std::string letter = SwitchLetter(commandLine);
  if (letter == "P") return Start_Mode::Preview;
  if (letter == "C") return Start_Mode::Configure;
  if (letter == "S") return Start_Mode::RunCursorHidden;
  if (commandLine.empty()) return Start_Mode::RunCursorVisible;
  return Start_Mode::Quit;
}

uint32_t PreviewParentHandle(std::string_view commandLine) {
  const double number = ReadLeadingNumber(commandLine.substr(CharacterOffset(commandLine, 3)));
  const double whole = std::nearbyint(number);  // the default rounding: halves to even
  if (!(whole >= 0 && whole <= 4294967295.0)) return 0;
  return static_cast<uint32_t>(whole);
}

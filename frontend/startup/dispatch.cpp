#include "frontend/startup/dispatch.h"

#include <cmath>

#include "frontend/text/ascii_text.h"
#include "frontend/text/number_text.h"
#include "frontend/text/utf8_text.h"

std::string CommandLineText(int argc, const char* const* argv) {
  std::string text;
  for (int i = 1; i < argc; ++i) {
    if (i > 1) text += ' ';
    text += argv[i];
  }
  return text;
}

StartRequest ParseStartRequest(std::string_view commandLine) {
  StartRequest request;
  request.mode = DispatchMode(commandLine);
  if (request.mode == Start_Mode::Preview) request.previewParent = PreviewParentHandle(commandLine);
  return request;
}

std::string SwitchLetter(std::string_view commandLine) {
  const size_t at = Utf8CharacterOffset(commandLine, 1);
  if (at >= commandLine.size()) return {};
  return UpperAscii(commandLine.substr(at, Utf8CharacterLength(commandLine, at)));
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
  const double number =
      ReadLeadingNumber(commandLine.substr(Utf8CharacterOffset(commandLine, 3)));
  const double whole = std::nearbyint(number);  // the default rounding: halves to even
  if (!(whole >= 0 && whole <= 4294967295.0)) return 0;
  return static_cast<uint32_t>(whole);
}

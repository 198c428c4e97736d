#include "frontend/startup/dispatch.h"

#include <algorithm>
#include <cmath>
#include <vector>

#include "frontend/text/ascii_text.h"
#include "frontend/text/number_text.h"
#include "frontend/text/utf8_text.h"
#include "platform/window_id.h"

namespace veyora::frontend {

std::string CommandLineText(int argc, const char* const* argv) {
  std::string text;
  for (int i = 1; i < argc; ++i) {
    if (i > 1) text += ' ';
    text += argv[i];
  }
  return text;
}

namespace {

std::vector<std::string_view> Words(std::string_view text) {
  std::vector<std::string_view> words;
  while (!(text = TrimBlanks(text)).empty()) {
    size_t end = 0;
    while (end < text.size() && !IsBlank(text[end])) ++end;
    words.push_back(text.substr(0, end));
    text.remove_prefix(end);
  }
  return words;
}

StartRequest HostedRequest(Start_Mode mode, std::string_view window) {
  StartRequest request;
  request.mode = mode;
  request.hostWindowText = std::string(window);
  request.hostWindow = platform::ParseWindowId(window).value_or(0);
  return request;
}

}  // namespace

StartRequest ParseStartRequest(std::string_view commandLine, std::string_view hostWindowVariable) {
  const std::vector<std::string_view> words = Words(commandLine);
  for (size_t i = 0; i < words.size(); ++i) {
    if (words[i] == "-window-id" || words[i] == "--window-id") {
      return HostedRequest(Start_Mode::HostedPreview, i + 1 < words.size() ? words[i + 1] : "");
    }
  }
  const bool onlyRoot = std::all_of(words.begin(), words.end(), [](std::string_view word) {
    return word == "-root" || word == "--root";
  });
  if (onlyRoot && (!words.empty() || !hostWindowVariable.empty())) {
    return HostedRequest(Start_Mode::Hosted, hostWindowVariable);
  }
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
  const double number = ReadLeadingNumber(commandLine.substr(Utf8CharacterOffset(commandLine, 3)));
  const double whole = std::nearbyint(number);  // the default rounding: halves to even
  if (!(whole >= 0 && whole <= 4294967295.0)) return 0;
  return static_cast<uint32_t>(whole);
}

}  // namespace veyora::frontend

#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace veyora::frontend {

// What a start of the front end is for, decided from its command line and, for
// the screen-saver hosts of Linux desktops, the window they give.
enum class Start_Mode {
  Preview,           // "P": the still picture inside the display settings' pane
  Configure,         // "C": the settings dialog
  RunCursorHidden,   // "S": the screensaver, pointer hidden
  RunCursorVisible,  // empty command line: the screensaver, pointer left alone
  Quit,              // anything else ("A" included): end at once
  Hosted,            // a host's window to run the screensaver in, with music
  HostedPreview,     // "-window-id": a host's live preview, without music
};

// A start of the front end as it asks for it, read once.
struct StartRequest {
  Start_Mode mode = Start_Mode::Quit;
  uint32_t previewParent = 0;  // the preview pane's X window id, for Preview
  // For Hosted and HostedPreview: the host's window as given, and its id (0 when
  // the text names none).
  std::string hostWindowText;
  uint32_t hostWindow = 0;
};

// The command-line text: the arguments after the program's name joined by single
// blanks; no arguments give the empty text.
std::string CommandLineText(int argc, const char* const* argv);

// The start a command line asks for. `hostWindowVariable` is XSCREENSAVER_WINDOW,
// where the hosts give the window they own (empty when unset). "-window-id <id>"
// (or "--window-id") anywhere on the line asks for a live preview in that window;
// with a host window given, a line that is empty or holds only "-root" (or
// "--root") asks for the screensaver in it; "-root" without one names no window.
// Anything else goes by the screensaver switches.
StartRequest ParseStartRequest(std::string_view commandLine,
                               std::string_view hostWindowVariable = {});

// The second character of the command line, upper-cased (ASCII letters); empty
// when the text has fewer than two characters. Characters are UTF-8 sequences; a
// byte that starts none counts as one character.
std::string SwitchLetter(std::string_view commandLine);

Start_Mode DispatchMode(std::string_view commandLine);

// The preview pane's X window id: the number read from the fourth character on,
// rounded to a whole number (halves to even). 0 when there is no number or it
// does not fit a 32-bit window id.
uint32_t PreviewParentHandle(std::string_view commandLine);

}  // namespace veyora::frontend

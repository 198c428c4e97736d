#include "frontend/music/mci_command.h"

#include <algorithm>
#include <charconv>
#include <vector>

#include "frontend/music/mci_errors.h"
#include "frontend/text/ascii_text.h"

namespace veyora::frontend {

namespace {

std::vector<std::string_view> Words(std::string_view text) {
  std::vector<std::string_view> words;
  size_t i = 0;
  while (i < text.size()) {
    while (i < text.size() && IsBlank(text[i])) ++i;
    size_t start = i;
    while (i < text.size() && !IsBlank(text[i])) ++i;
    if (i > start) words.push_back(text.substr(start, i - start));
  }
  return words;
}

// Position of the last occurrence of `needle` in `text`, ignoring letter case.
size_t FindLastIgnoringCase(std::string_view text, std::string_view needle) {
  if (needle.size() > text.size()) return std::string_view::npos;
  for (size_t i = text.size() - needle.size() + 1; i-- > 0;) {
    if (EqualsIgnoringAsciiCase(text.substr(i, needle.size()), needle)) return i;
  }
  return std::string_view::npos;
}

bool StartsWithIgnoringCase(std::string_view text, std::string_view prefix) {
  return text.size() >= prefix.size() &&
         EqualsIgnoringAsciiCase(text.substr(0, prefix.size()), prefix);
}

// open "<path>" type <type> alias <alias>. The path runs from the opening quote
// to the last `" type ` in the string, so a path holding double quotes (legal on
// Linux) is taken whole and never read as command words.
MciParseResult ParseOpenFile(std::string_view text) {
  MciParseResult result;
  constexpr std::string_view kPrefix = "open \"";
  constexpr std::string_view kTypeKeyword = "\" type ";
  std::string_view afterPrefix = text.substr(kPrefix.size());
  size_t typeAt = FindLastIgnoringCase(afterPrefix, kTypeKeyword);
  if (typeAt == std::string_view::npos) {
    result.error = mci_error::kUnrecognizedKeyword;
    return result;
  }
  std::vector<std::string_view> rest = Words(afterPrefix.substr(typeAt + kTypeKeyword.size()));
  if (rest.size() != 3 || !EqualsIgnoringAsciiCase(rest[1], "alias")) {
    result.error = rest.size() < 3 ? mci_error::kMissingParameter : mci_error::kUnrecognizedKeyword;
    return result;
  }
  if (typeAt == 0) {
    result.error = mci_error::kFileNotFound;
    return result;
  }
  result.command.verb = MciVerb::Open;
  result.command.file = std::string(afterPrefix.substr(0, typeAt));
  result.command.fileType = std::string(rest[0]);
  result.command.device = std::string(rest[2]);
  return result;
}

MciParseResult Fail(int32_t error) {
  MciParseResult result;
  result.error = error;
  return result;
}

bool WordsAre(const std::vector<std::string_view>& words, size_t from,
              std::initializer_list<std::string_view> expected) {
  if (words.size() != from + expected.size()) return false;
  size_t i = from;
  for (std::string_view word : expected) {
    if (!EqualsIgnoringAsciiCase(words[i++], word)) return false;
  }
  return true;
}

MciParseResult ParseStatus(const std::vector<std::string_view>& words, MciParseResult result) {
  if (words.size() < 3) return Fail(mci_error::kMissingParameter);
  if (WordsAre(words, 2, {"mode"})) {
    result.command.item = MciStatusItem::Mode;
  } else if (WordsAre(words, 2, {"current", "track"})) {
    result.command.item = MciStatusItem::CurrentTrack;
  } else if (WordsAre(words, 2, {"number", "of", "tracks"})) {
    result.command.item = MciStatusItem::NumberOfTracks;
  } else if (words.size() == 5 && WordsAre({words[2], words[3]}, 0, {"position", "track"})) {
    int track = 0;
    std::string_view number = words[4];
    auto [end, error] = std::from_chars(number.data(), number.data() + number.size(), track);
    if (error != std::errc() || end != number.data() + number.size())
      return Fail(mci_error::kBadInteger);
    result.command.item = MciStatusItem::PositionOfTrack;
    result.command.track = track;
  } else {
    return Fail(mci_error::kUnrecognizedKeyword);
  }
  return result;
}

}  // namespace

MciParseResult ParseMciCommand(std::string_view text) {
  if (StartsWithIgnoringCase(text, "open \"")) return ParseOpenFile(text);

  std::vector<std::string_view> words = Words(text);
  if (words.empty()) return Fail(mci_error::kUnrecognizedCommand);
  MciParseResult result;
  std::string_view verb = words[0];
  if (EqualsIgnoringAsciiCase(verb, "open")) {
    result.command.verb = MciVerb::Open;
  } else if (EqualsIgnoringAsciiCase(verb, "set")) {
    result.command.verb = MciVerb::Set;
  } else if (EqualsIgnoringAsciiCase(verb, "status")) {
    result.command.verb = MciVerb::Status;
  } else if (EqualsIgnoringAsciiCase(verb, "play")) {
    result.command.verb = MciVerb::Play;
  } else if (EqualsIgnoringAsciiCase(verb, "stop")) {
    result.command.verb = MciVerb::Stop;
  } else if (EqualsIgnoringAsciiCase(verb, "close")) {
    result.command.verb = MciVerb::Close;
  } else {
    return Fail(mci_error::kUnrecognizedCommand);
  }
  if (words.size() < 2) return Fail(mci_error::kMissingDeviceName);
  result.command.device = std::string(words[1]);

  switch (result.command.verb) {
    case MciVerb::Open:
    case MciVerb::Stop:
    case MciVerb::Close:
      if (words.size() != 2) return Fail(mci_error::kUnrecognizedKeyword);
      return result;
    case MciVerb::Set:
      if (words.size() == 5 && WordsAre({words[2], words[3]}, 0, {"time", "format"})) {
        result.command.timeFormat = std::string(words[4]);
        return result;
      }
      return Fail(words.size() < 5 ? mci_error::kMissingParameter
                                   : mci_error::kUnrecognizedKeyword);
    case MciVerb::Status:
      return ParseStatus(words, result);
    case MciVerb::Play:
      if (words.size() == 2) return result;
      if (!EqualsIgnoringAsciiCase(words[2], "from")) return Fail(mci_error::kUnrecognizedKeyword);
      if (words.size() == 3) return Fail(mci_error::kMissingParameter);
      if (words.size() > 4) return Fail(mci_error::kUnrecognizedKeyword);
      result.command.from = std::string(words[3]);
      return result;
  }
  return Fail(mci_error::kUnrecognizedCommand);
}

}  // namespace veyora::frontend

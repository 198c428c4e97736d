#include "frontend/startup/profile_text.h"

#include <vector>

#include "frontend/startup/blank_trim.h"
#include "frontend/startup/cp932.h"

namespace {

char FoldAscii(char c) { return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c; }

// Position of the first `wanted` byte that stands as a character of its own, not
// as the second byte of a double-byte character.
size_t FindCharacter(std::string_view text, char wanted) {
  for (size_t at = 0; at < text.size(); ++at) {
    if (text[at] == wanted) return at;
    if (IsCp932LeadByte(static_cast<unsigned char>(text[at])) && at + 1 < text.size()) ++at;
  }
  return std::string_view::npos;
}

// True when the text's last byte starts a double-byte character that is cut off.
bool EndsInsideCharacter(std::string_view text) {
  for (size_t at = 0; at < text.size(); ++at) {
    if (IsCp932LeadByte(static_cast<unsigned char>(text[at]))) {
      if (at + 1 == text.size()) return true;
      ++at;
    }
  }
  return false;
}

enum class LineKind { Section, Key, Other };

struct ProfileLine {
  size_t begin = 0;  // first byte of the line
  size_t end = 0;    // end of its text, before the line end
  size_t next = 0;   // first byte of the next line
  LineKind kind = LineKind::Other;
  std::string_view name;   // section or key name
  std::string_view value;  // key lines only
};

ProfileLine ClassifyLine(std::string_view file, size_t begin, size_t end, size_t next) {
  ProfileLine line;
  line.begin = begin;
  line.end = end;
  line.next = next;
  const std::string_view text = file.substr(begin, end - begin);
  const std::string_view content = TrimBlanks(text);
  if (!content.empty() && content.front() == '[') {
    const std::string_view inner = content.substr(1);
    line.kind = LineKind::Section;
    line.name = TrimBlanks(inner.substr(0, FindCharacter(inner, ']')));
    return line;
  }
  const size_t equals = text.find('=');  // "=" is never the second byte of a character
  if (equals != std::string_view::npos) {
    line.kind = LineKind::Key;
    line.name = TrimBlanks(text.substr(0, equals));
    line.value = TrimBlanks(text.substr(equals + 1));
  }
  return line;
}

std::vector<ProfileLine> SplitLines(std::string_view file) {
  std::vector<ProfileLine> lines;
  size_t begin = 0;
  while (begin < file.size()) {
    const size_t feed = file.find('\n', begin);
    size_t end = feed == std::string_view::npos ? file.size() : feed;
    const size_t next = feed == std::string_view::npos ? file.size() : feed + 1;
    if (end > begin && file[end - 1] == '\r' && feed != std::string_view::npos) --end;
    lines.push_back(ClassifyLine(file, begin, end, next));
    begin = next;
  }
  return lines;
}

std::string LineEndOf(std::string_view file) {
  const size_t feed = file.find('\n');
  if (feed == std::string_view::npos) return "\r\n";
  return (feed > 0 && file[feed - 1] == '\r') ? "\r\n" : "\n";
}

bool Storable(std::string_view text) {
  return text.find_first_of(std::string_view("\r\n\0", 3)) == std::string_view::npos;
}

// Index of the line holding the key, searching the matching sections in order.
std::optional<size_t> FindKeyLine(const std::vector<ProfileLine>& lines, std::string_view section,
                                  std::string_view key) {
  bool inSection = false;
  for (size_t i = 0; i < lines.size(); ++i) {
    if (lines[i].kind == LineKind::Section) {
      inSection = ProfileNamesEqual(lines[i].name, section);
    } else if (inSection && lines[i].kind == LineKind::Key &&
               ProfileNamesEqual(lines[i].name, key)) {
      return i;
    }
  }
  return std::nullopt;
}

}  // namespace

bool ProfileNamesEqual(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (size_t at = 0; at < a.size(); ++at) {
    if (IsCp932LeadByte(static_cast<unsigned char>(a[at])) && at + 1 < a.size()) {
      // A double-byte character matches only itself, byte for byte.
      if (a[at] != b[at] || a[at + 1] != b[at + 1]) return false;
      ++at;
    } else if (FoldAscii(a[at]) != FoldAscii(b[at])) {
      return false;
    }
  }
  return true;
}

std::optional<std::string> ProfileLookup(std::string_view file, std::string_view section,
                                         std::string_view key) {
  section = TrimBlanks(section);
  key = TrimBlanks(key);
  const std::vector<ProfileLine> lines = SplitLines(file);
  const std::optional<size_t> found = FindKeyLine(lines, section, key);
  if (!found) return std::nullopt;
  return std::string(lines[*found].value);
}

std::optional<std::string> ProfileStore(std::string_view file, std::string_view section,
                                        std::string_view key, std::string_view value) {
  section = TrimBlanks(section);
  key = TrimBlanks(key);
  if (!Storable(section) || !Storable(key) || !Storable(value)) return std::nullopt;
  if (section.empty() || key.empty()) return std::nullopt;
  if (key.find('=') != std::string_view::npos || key.front() == '[') return std::nullopt;
  // The closing bracket must not become the second byte of a cut-off character.
  if (FindCharacter(section, ']') != std::string_view::npos || EndsInsideCharacter(section)) {
    return std::nullopt;
  }

  const std::vector<ProfileLine> lines = SplitLines(file);
  const std::string lineEnd = LineEndOf(file);
  const std::string keyLine = std::string(key) + "=" + std::string(value);
  std::string result(file);

  if (const std::optional<size_t> found = FindKeyLine(lines, section, key)) {
    const ProfileLine& line = lines[*found];
    result.replace(line.begin, line.end - line.begin, keyLine);
    return result;
  }

  // The key goes after the last line of the first matching section that is not
  // blank, so blank lines before the next section stay where they are.
  std::optional<size_t> after;
  bool inSection = false;
  for (size_t i = 0; i < lines.size(); ++i) {
    if (lines[i].kind == LineKind::Section) {
      if (after) break;
      inSection = ProfileNamesEqual(lines[i].name, section);
      if (inSection) after = i;
    } else if (inSection && !TrimBlanks(file.substr(lines[i].begin, lines[i].end - lines[i].begin)).empty()) {
      after = i;
    }
  }

  std::string addition;
  size_t insertAt = file.size();
  if (after) {
    const ProfileLine& line = lines[*after];
    insertAt = line.next;
    // The last line of the file may lack its line end.
    if (line.next == line.end) addition += lineEnd;
    addition += keyLine + lineEnd;
  } else {
    if (!file.empty() && file.back() != '\n') addition += lineEnd;
    addition += "[" + std::string(section) + "]" + lineEnd + keyLine + lineEnd;
  }
  result.insert(insertAt, addition);
  return result;
}

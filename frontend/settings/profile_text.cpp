#include "frontend/settings/profile_text.h"

#include <algorithm>

#include "frontend/settings/cp932.h"
#include "frontend/text/ascii_text.h"
#include "frontend/text/utf8_text.h"

namespace veyora::frontend {

namespace {

constexpr std::string_view kUtf8Mark = "\xEF\xBB\xBF";

// True when the byte at `at` starts a character of two bytes whose second byte
// must not be read on its own.
bool StartsDoubleByte(std::string_view text, size_t at, ProfileEncoding encoding) {
  return encoding == ProfileEncoding::Cp932 &&
         IsCp932LeadByte(static_cast<unsigned char>(text[at])) && at + 1 < text.size();
}

// Position of the first `wanted` byte that stands as a character of its own.
size_t FindCharacter(std::string_view text, char wanted, ProfileEncoding encoding) {
  for (size_t at = 0; at < text.size(); ++at) {
    if (text[at] == wanted) return at;
    if (StartsDoubleByte(text, at, encoding)) ++at;
  }
  return std::string_view::npos;
}

// True when the text's last byte starts a double-byte character that is cut off.
bool EndsInsideCharacter(std::string_view text, ProfileEncoding encoding) {
  if (encoding != ProfileEncoding::Cp932) return false;
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
  size_t begin = 0;       // first byte of the line
  size_t end = 0;         // end of its text, before the line end
  size_t next = 0;        // first byte of the next line
  size_t valueBegin = 0;  // key lines: the first byte after "="
  LineKind kind = LineKind::Other;
  std::string_view name;   // section or key name
  std::string_view value;  // key lines only, trimmed, quotes still on
  bool Blank() const { return kind == LineKind::Other && name.empty() && value.empty(); }
};

// Walks the lines of a file one at a time, without keeping them.
class LineReader {
 public:
  LineReader(std::string_view file, ProfileEncoding encoding) : file_(file), encoding_(encoding) {
    if (encoding == ProfileEncoding::Utf8 && file.substr(0, kUtf8Mark.size()) == kUtf8Mark) {
      at_ = kUtf8Mark.size();
    }
  }

  bool Next(ProfileLine& line) {
    if (at_ >= file_.size()) return false;
    const size_t stop = file_.find_first_of("\r\n", at_);
    line = {};
    line.begin = at_;
    line.end = stop == std::string_view::npos ? file_.size() : stop;
    line.next = line.end;
    if (stop != std::string_view::npos) {
      line.next = stop + 1;
      if (file_[stop] == '\r' && stop + 1 < file_.size() && file_[stop + 1] == '\n') ++line.next;
    }
    Classify(line);
    at_ = line.next;
    return true;
  }

 private:
  void Classify(ProfileLine& line) const {
    const std::string_view text = file_.substr(line.begin, line.end - line.begin);
    const std::string_view content = TrimBlanks(text);
    if (!content.empty() && content.front() == '[') {
      const std::string_view inner = content.substr(1);
      line.kind = LineKind::Section;
      line.name = TrimBlanks(inner.substr(0, FindCharacter(inner, ']', encoding_)));
      return;
    }
    const size_t equals = text.find('=');  // "=" is never the second byte of a character
    if (equals == std::string_view::npos) {
      line.name = content;  // not a setting; kept only to tell blank lines apart
      return;
    }
    line.kind = LineKind::Key;
    line.name = TrimBlanks(text.substr(0, equals));
    line.value = TrimBlanks(text.substr(equals + 1));
    line.valueBegin = line.begin + equals + 1;
  }

  std::string_view file_;
  ProfileEncoding encoding_;
  size_t at_ = 0;
};

std::string_view Unquoted(std::string_view value) {
  if (value.size() >= 2 && value.front() == '"' && value.back() == '"') {
    return value.substr(1, value.size() - 2);
  }
  return value;
}

std::string LineEndOf(std::string_view file) {
  const size_t stop = file.find_first_of("\r\n");
  if (stop == std::string_view::npos) return "\r\n";
  if (file[stop] == '\n') return "\n";
  return (stop + 1 < file.size() && file[stop + 1] == '\n') ? "\r\n" : "\r";
}

// Where a store goes: the key's line when the section holds it, else the section's
// last line that is not blank.
struct StorePlace {
  std::optional<ProfileLine> keyLine;
  std::optional<ProfileLine> sectionEnd;
};

StorePlace FindStorePlace(std::string_view file, ProfileEncoding encoding, std::string_view section,
                          std::string_view key) {
  StorePlace place;
  bool inSection = false;
  bool pastFirstSection = false;
  LineReader lines(file, encoding);
  ProfileLine line;
  while (lines.Next(line)) {
    if (line.kind == LineKind::Section) {
      if (place.sectionEnd) pastFirstSection = true;
      inSection = ProfileNamesEqual(line.name, section, encoding);
      if (inSection && !place.sectionEnd) place.sectionEnd = line;
      continue;
    }
    if (!inSection) continue;
    if (line.kind == LineKind::Key && ProfileNamesEqual(line.name, key, encoding)) {
      place.keyLine = line;
      return place;
    }
    // New keys go to the first matching section only.
    if (!pastFirstSection && !line.Blank()) place.sectionEnd = line;
  }
  return place;
}

}  // namespace

bool ProfileTextStorable(std::string_view text) {
  return text.find_first_of(std::string_view("\r\n\0", 3)) == std::string_view::npos;
}

ProfileEncoding DetectProfileEncoding(std::string_view file) {
  if (file.substr(0, kUtf8Mark.size()) == kUtf8Mark) return ProfileEncoding::Utf8;
  if (!IsWellFormedUtf8(file)) return ProfileEncoding::Cp932;
  const auto beyondAscii = [](char c) { return static_cast<unsigned char>(c) >= 0x80; };
  LineReader lines(file, ProfileEncoding::Utf8);
  ProfileLine line;
  while (lines.Next(line)) {
    if (line.kind == LineKind::Key &&
        std::any_of(line.name.begin(), line.name.end(), beyondAscii)) {
      return ProfileEncoding::Utf8;
    }
  }
  return ProfileEncoding::Cp932;
}

bool ProfileNamesEqual(std::string_view a, std::string_view b, ProfileEncoding encoding) {
  if (a.size() != b.size()) return false;
  for (size_t at = 0; at < a.size(); ++at) {
    if (StartsDoubleByte(a, at, encoding)) {
      if (a[at] != b[at] || a[at + 1] != b[at + 1]) return false;
      ++at;
    } else if (UpperAscii(a[at]) != UpperAscii(b[at])) {
      return false;
    }
  }
  return true;
}

std::vector<std::optional<std::string>> ProfileLookup(std::string_view file,
                                                      ProfileEncoding encoding,
                                                      std::string_view section,
                                                      std::span<const std::string> keys) {
  section = TrimBlanks(section);
  std::vector<std::optional<std::string>> values(keys.size());
  size_t missing = keys.size();
  bool inSection = false;
  LineReader lines(file, encoding);
  ProfileLine line;
  while (missing > 0 && lines.Next(line)) {
    if (line.kind == LineKind::Section) {
      inSection = ProfileNamesEqual(line.name, section, encoding);
    } else if (inSection && line.kind == LineKind::Key) {
      for (size_t i = 0; i < keys.size(); ++i) {
        if (!values[i] && ProfileNamesEqual(line.name, TrimBlanks(keys[i]), encoding)) {
          values[i] = std::string(Unquoted(line.value));
          --missing;
        }
      }
    }
  }
  return values;
}

std::optional<std::string> ProfileStore(std::string_view file, ProfileEncoding encoding,
                                        std::string_view section, std::string_view key,
                                        std::string_view value) {
  section = TrimBlanks(section);
  key = TrimBlanks(key);
  if (!ProfileTextStorable(section) || !ProfileTextStorable(key) || !ProfileTextStorable(value)) {
    return std::nullopt;
  }
  if (section.empty() || key.empty()) return std::nullopt;
  if (key.find('=') != std::string_view::npos || key.front() == '[') return std::nullopt;
  // The closing bracket must not become the second byte of a cut-off character.
  if (FindCharacter(section, ']', encoding) != std::string_view::npos ||
      EndsInsideCharacter(section, encoding)) {
    return std::nullopt;
  }

  // What the value reads back as is its trimmed text without one pair of quotes;
  // a value that is itself wrapped in quotes keeps them inside one more pair.
  const std::string_view trimmed = TrimBlanks(value);
  const std::string stored = Unquoted(trimmed).size() == trimmed.size()
                                 ? std::string(value)
                                 : "\"" + std::string(trimmed) + "\"";
  const StorePlace place = FindStorePlace(file, encoding, section, key);
  std::string result(file);
  if (place.keyLine) {
    result.replace(place.keyLine->valueBegin, place.keyLine->end - place.keyLine->valueBegin,
                   stored);
    return result;
  }

  const std::string lineEnd = LineEndOf(file);
  const std::string keyLine = std::string(key) + "=" + stored;
  std::string addition;
  size_t insertAt = file.size();
  if (place.sectionEnd) {
    insertAt = place.sectionEnd->next;
    // The last line of the file may lack its line end.
    if (place.sectionEnd->next == place.sectionEnd->end) addition += lineEnd;
    addition += keyLine + lineEnd;
  } else {
    if (!file.empty() && file.back() != '\n' && file.back() != '\r') addition += lineEnd;
    addition += "[" + std::string(section) + "]" + lineEnd + keyLine + lineEnd;
  }
  result.insert(insertAt, addition);
  return result;
}

}  // namespace veyora::frontend

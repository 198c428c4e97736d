#pragma once

#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace veyora::frontend {

// The settings file's format, on its stored bytes: "[section]" lines and
// "key=value" lines, ended by LF, CRLF or a lone CR. Names are compared ignoring
// ASCII letter case; in a CP932 file a double-byte character is compared whole,
// since its second byte may look like a letter or a bracket. Blanks and tabs
// around names and values are not part of them, and a value wrapped in one pair of
// double quotes is read without them. Where a section or key appears more than
// once, the first occurrence counts. Names given to these functions are already in
// the file's encoding.

enum class ProfileEncoding { Cp932, Utf8 };

// A file that starts with a UTF-8 byte-order mark, or that is well-formed UTF-8
// and holds a key spelt with other than ASCII characters (as the program's keys
// are), is UTF-8; every other file is CP932. A CP932 file holding such a key is
// never well-formed UTF-8 in practice.
ProfileEncoding DetectProfileEncoding(std::string_view file);

bool ProfileNamesEqual(std::string_view a, std::string_view b, ProfileEncoding encoding);

// The values of `keys` in `section`, in the order asked, found in one pass over
// the file; nullopt for a key that is missing.
std::vector<std::optional<std::string>> ProfileLookup(std::string_view file,
                                                      ProfileEncoding encoding,
                                                      std::string_view section,
                                                      std::span<const std::string> keys);

// False for a text that no line of the file can hold: one with a line break or a NUL.
bool ProfileTextStorable(std::string_view text);

// The file after setting `key` in `section` to `value`: an existing key line keeps
// its name as written and everything up to its "=", and gets the new value after
// it; otherwise "key=value" is added after the section's
// last line that is not blank, or a new section is added at the end. Every other
// byte stays. New lines use the file's line end (CRLF for a file without any). The
// value reads back without the blanks at its ends: one that is then wrapped in
// double quotes is stored inside one more pair, so that it keeps them. nullopt when the names or
// the value cannot be stored in a line (line breaks or NUL anywhere, an empty name, "=" in the key
// or a leading "[", "]" in the section or a section name ending in the first byte of a double-byte
// character).
std::optional<std::string> ProfileStore(std::string_view file, ProfileEncoding encoding,
                                        std::string_view section, std::string_view key,
                                        std::string_view value);

}  // namespace veyora::frontend

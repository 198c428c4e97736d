#pragma once

#include <optional>
#include <string>
#include <string_view>

// The settings file's format, on its raw bytes (CP932): "[section]" lines and
// "key=value" lines, LF or CRLF line ends. Section and key names are compared
// ignoring ASCII letter case, with CP932 double-byte characters compared whole.
// Blanks and tabs around names and values are not part of them, neither in the
// file nor in the names asked for. Where a section
// or key appears more than once, the first occurrence counts.

bool ProfileNamesEqual(std::string_view a, std::string_view b);

// The value of `key` in `section`; nullopt when the section or key is missing.
std::optional<std::string> ProfileLookup(std::string_view file, std::string_view section,
                                         std::string_view key);

// The file after setting `key` in `section` to `value`: an existing key line is
// replaced by "key=value" in place; otherwise the key is added after the section's
// last line, or a new section is added at the end. Every other line stays byte for
// byte. New lines use the file's line end (CRLF for a file without any).
// nullopt when the names or the value cannot be stored in a line (line breaks or
// NUL anywhere, an empty name, "=" in the key or a leading "[", "]" in the section
// or a section name ending in the first byte of a double-byte character).
std::optional<std::string> ProfileStore(std::string_view file, std::string_view section,
                                        std::string_view key, std::string_view value);

#pragma once

#include <optional>
#include <span>
#include <string>
#include <vector>

namespace veyora::frontend {

// A settings file is a few lines; a larger file is not one, and is neither read
// nor rewritten.
inline constexpr long long kLargestSettingsFile = 16LL * 1024 * 1024;

// The values of `keys` in `section` of the settings file at `path`, as texts,
// from one read of the file: the empty text for a key that is missing, and for
// every key when the file is missing. nullopt when a file is there but cannot be
// read (a folder, no permission, larger than the largest settings file). Names and
// values are UTF-8; the file may be CP932 or UTF-8.
std::optional<std::vector<std::string>> INI_Read(const std::string& section,
                                                 std::span<const std::string> keys,
                                                 const std::string& path);

struct ProfileEntry {
  std::string key;
  std::string value;
};

// Sets each key in `section` of the settings file at `path` to its value, in the
// order given, creating the file, the section and the keys as needed and keeping
// every other byte; the file keeps its encoding (a new file is CP932). The file is
// replaced in one step, so a failed write leaves the old one. Returns false, and
// writes nothing, when the existing file cannot be read, the file itself is
// read-only, or a name or value cannot be stored in it.
bool INI_Write(const std::string& section, std::span<const ProfileEntry> entries,
               const std::string& path);

}  // namespace veyora::frontend

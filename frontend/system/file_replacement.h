#pragma once

#include <string>

namespace veyora::frontend {

// Writes `bytes` to a sibling file and renames it over `path`, so that the file is
// never left half written. The new file keeps the old one's permissions (new files
// get the umask's), a link keeps pointing at it, and a file the user made read-only
// is left alone. False, with errno telling why, when nothing was replaced.
bool ReplaceFile(const std::string& path, const std::string& bytes);

}  // namespace veyora::frontend

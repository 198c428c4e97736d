#pragma once

#include <string>

namespace veyora::frontend {

// True when `path` names an existing regular file that can be opened for reading.
// A trailing "/" is dropped first; folders, missing or unreadable files, and paths
// holding a NUL character give false.
bool File_Exists(std::string path);

}  // namespace veyora::frontend

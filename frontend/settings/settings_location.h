#pragma once

#include <string>

namespace veyora::frontend {

// Where the settings file is read from and written to.
struct SettingsFiles {
  std::string read;
  std::string write;
  bool operator==(const SettingsFiles&) const = default;
};

// Next to the programs while their folder is writable (the portable layout, as on
// the system the program comes from). Installed, that folder is not, and the file
// is the user's own, in a folder of the program's under the user's configuration
// folder; until that file exists the one next to the programs, if any, is read as
// the system-wide default.
SettingsFiles ChooseSettingsFiles(const std::string& programFolder, bool programFolderWritable,
                                  const std::string& configFolder, bool userFileExists);

// The settings files on this machine: the program's folder, $XDG_CONFIG_HOME
// (~/.config when unset) and the files as they are now.
SettingsFiles LocateSettingsFiles();

}  // namespace veyora::frontend

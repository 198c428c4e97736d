#pragma once

#include <functional>
#include <string>
#include <vector>

namespace veyora::frontend {

// Where the settings file is read from and written to.
struct SettingsFiles {
  std::string read;
  std::string write;
  bool operator==(const SettingsFiles&) const = default;
};

// What decides where the settings file lives.
struct SettingsPlaces {
  std::string programFolder;
  // The programs lie where `cmake --install` or the package puts them, the
  // launcher at its place beside them.
  bool installed = false;
  bool programFolderWritable = false;
  // $XDG_CONFIG_HOME, or ~/.config.
  std::string configFolder;
  // $XDG_CONFIG_DIRS, or /etc/xdg: the system-wide defaults, most important first.
  std::vector<std::string> systemConfigFolders;
};

// A portable copy (the programs in a writable folder of their own, as the build's
// bin folder) keeps the file next to the programs. Otherwise the file written is
// the user's own, in a folder of the program's under the user's configuration
// folder, for the superuser too. Until that file exists, an installed copy reads
// the first system-wide default under the system configuration folders, then the
// file next to the programs; a portable copy in a read-only folder reads the file
// next to the programs. The programs never write a system-wide default.
SettingsFiles ChooseSettingsFiles(const SettingsPlaces& places,
                                  const std::function<bool(const std::string&)>& fileExists);

// The system configuration folders $XDG_CONFIG_DIRS names (absolute ones only), or
// /etc/xdg when it names none.
std::vector<std::string> SystemConfigFolders(const char* configDirs);

// The settings files on this machine: the program's folder, whether it is
// installed, the configuration folders and the files as they are now.
SettingsFiles LocateSettingsFiles();

}  // namespace veyora::frontend

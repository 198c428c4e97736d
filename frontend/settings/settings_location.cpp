#include "frontend/settings/settings_location.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>
#include <sstream>

#include "frontend/system/file_exists.h"
#include "frontend/system/program_files.h"
#include "platform/shared_names.h"

namespace veyora::frontend {

namespace {

// The folder of the program's own under a configuration folder.
constexpr char kOwnFolderName[] = "veyora";

// A folder the user may write to. One that grants no writing to anybody counts as
// read-only for the superuser too, whom permissions do not stop: it was made so.
bool Writable(const std::string& folder) {
  struct stat status {};
  return !folder.empty() && stat(folder.c_str(), &status) == 0 &&
         (status.st_mode & (S_IWUSR | S_IWGRP | S_IWOTH)) != 0 &&
         faccessat(AT_FDCWD, folder.c_str(), W_OK, AT_EACCESS) == 0;
}

// The launcher at the place the install rules give it, seen from the programs'
// folder: only an installed copy has it there.
bool Installed(const std::string& programFolder) {
  struct stat status {};
  const std::string launcher = programFolder + "/" + VEYORA_LAUNCHER_FROM_PROGRAMS;
  return !programFolder.empty() && stat(launcher.c_str(), &status) == 0 && S_ISREG(status.st_mode);
}

// The settings file in the program's own folder under a configuration folder.
std::string SettingsFileUnder(const std::string& configFolder) {
  return configFolder + "/" + kOwnFolderName + "/" + names::kSettingsFile;
}

std::string ConfigFolder() {
  const char* configHome = std::getenv("XDG_CONFIG_HOME");
  if (configHome && *configHome == '/') return configHome;
  const char* home = std::getenv("HOME");
  return std::string(home ? home : "") + "/.config";
}

}  // namespace

SettingsFiles ChooseSettingsFiles(const SettingsPlaces& places,
                                  const std::function<bool(const std::string&)>& fileExists) {
  const std::string nextToPrograms = places.programFolder + "/" + names::kSettingsFile;
  if (!places.installed && places.programFolderWritable) return {nextToPrograms, nextToPrograms};
  const std::string own = SettingsFileUnder(places.configFolder);
  std::vector<std::string> readOrder = {own};
  if (places.installed) {
    for (const std::string& folder : places.systemConfigFolders) {
      readOrder.push_back(SettingsFileUnder(folder));
    }
  }
  for (const std::string& candidate : readOrder) {
    if (fileExists(candidate)) return {candidate, own};
  }
  return {nextToPrograms, own};
}

std::vector<std::string> SystemConfigFolders(const char* configDirs) {
  std::vector<std::string> folders;
  std::istringstream list(configDirs ? configDirs : "");
  for (std::string folder; std::getline(list, folder, ':');) {
    if (folder.starts_with('/')) folders.push_back(folder);
  }
  if (folders.empty()) folders.push_back("/etc/xdg");
  return folders;
}

SettingsFiles LocateSettingsFiles() {
  const std::string programFolder = ProgramFolder();
  const SettingsPlaces places{programFolder, Installed(programFolder), Writable(programFolder),
                              ConfigFolder(), SystemConfigFolders(std::getenv("XDG_CONFIG_DIRS"))};
  return ChooseSettingsFiles(places, File_Exists);
}

}  // namespace veyora::frontend

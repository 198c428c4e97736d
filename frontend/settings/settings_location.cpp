#include "frontend/settings/settings_location.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>

#include "frontend/system/file_exists.h"
#include "frontend/system/program_files.h"
#include "platform/shared_names.h"

namespace veyora::frontend {

namespace {

// The folder of the program's own under the user's configuration folder.
constexpr char kUserFolderName[] = "veyora";

// A folder the user may write to. One that grants no writing to anybody counts as
// read-only for the superuser too, whom permissions do not stop: it was made so.
bool Writable(const std::string& folder) {
  struct stat status {};
  return !folder.empty() && stat(folder.c_str(), &status) == 0 &&
         (status.st_mode & (S_IWUSR | S_IWGRP | S_IWOTH)) != 0 &&
         faccessat(AT_FDCWD, folder.c_str(), W_OK, AT_EACCESS) == 0;
}

// The user's own settings file under a configuration folder.
std::string UserSettingsFile(const std::string& configFolder) {
  return configFolder + "/" + kUserFolderName + "/" + names::kSettingsFile;
}

std::string ConfigFolder() {
  const char* configHome = std::getenv("XDG_CONFIG_HOME");
  if (configHome && *configHome == '/') return configHome;
  const char* home = std::getenv("HOME");
  return std::string(home ? home : "") + "/.config";
}

}  // namespace

SettingsFiles ChooseSettingsFiles(const std::string& programFolder, bool programFolderWritable,
                                  const std::string& configFolder, bool userFileExists) {
  const std::string nextToPrograms = programFolder + "/" + names::kSettingsFile;
  if (programFolderWritable) return {nextToPrograms, nextToPrograms};
  const std::string userFile = UserSettingsFile(configFolder);
  return {userFileExists ? userFile : nextToPrograms, userFile};
}

SettingsFiles LocateSettingsFiles() {
  const std::string programFolder = ProgramFolder();
  const std::string configFolder = ConfigFolder();
  return ChooseSettingsFiles(programFolder, Writable(programFolder), configFolder,
                             File_Exists(UserSettingsFile(configFolder)));
}

}  // namespace veyora::frontend

#include "frontend/saver/saver_claim.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>

namespace veyora::frontend {

std::string DisplayClaimName(const std::string& what, const std::string& displayName) {
  // host:number.screen; the screen does not matter, "unix" is the local host.
  const size_t colon = displayName.rfind(':');
  std::string host = colon == std::string::npos ? std::string() : displayName.substr(0, colon);
  std::string number = colon == std::string::npos ? displayName : displayName.substr(colon + 1);
  number = number.substr(0, number.find('.'));
  if (host == "unix") host.clear();
  std::string name = "veyora-" + what + "-" + host + "-" + number + ".lock";
  for (char& c : name) {
    const bool plain = (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') ||
                       c == '-' || c == '.' || c == '_';
    if (!plain) c = '_';
  }
  return name;
}

bool ClaimOnDisplay(const std::string& what, const std::string& displayName) {
  const char* runtime = std::getenv("XDG_RUNTIME_DIR");
  const std::string folder =
      runtime && *runtime ? std::string(runtime) : std::filesystem::temp_directory_path().string();
  const std::string name =
      runtime && *runtime ? DisplayClaimName(what, displayName)
                          : std::to_string(getuid()) + "-" + DisplayClaimName(what, displayName);
  // Never through a link someone else placed in a shared folder.
  const int fd = open((folder + "/" + name).c_str(),
                      O_RDWR | O_CREAT | O_NOFOLLOW | O_CLOEXEC | O_NOCTTY, 0600);
  if (fd < 0) return false;
  struct stat status {};
  if (fstat(fd, &status) != 0 || !S_ISREG(status.st_mode) || status.st_uid != getuid() ||
      flock(fd, LOCK_EX | LOCK_NB) != 0) {
    close(fd);
    return false;
  }
  // The lock is held through this descriptor until the process ends.
  return true;
}

}  // namespace veyora::frontend

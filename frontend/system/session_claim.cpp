#include "frontend/system/session_claim.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>

namespace veyora::frontend {

namespace {

// Letters, digits and "-._" stay; everything else, "/" included, becomes "_".
std::string PlainFileName(std::string name) {
  for (char& c : name) {
    const bool plain = (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') ||
                       c == '-' || c == '.' || c == '_';
    if (!plain) c = '_';
  }
  return name;
}

// The lock file `name` of this user, opened, made first when `make` says so; -1
// when it cannot be had.
int OpenLockFile(const std::string& name, bool make) {
  const char* runtime = std::getenv("XDG_RUNTIME_DIR");
  const bool ownFolder = runtime && *runtime;
  const std::string path = ownFolder ? std::string(runtime) + "/" + name
                                     : std::filesystem::temp_directory_path().string() + "/" +
                                           std::to_string(getuid()) + "-" + name;
  // Never through a link someone else placed in a shared folder.
  const int fd =
      open(path.c_str(), O_RDWR | (make ? O_CREAT : 0) | O_NOFOLLOW | O_CLOEXEC | O_NOCTTY, 0600);
  if (fd < 0) return -1;
  struct stat status {};
  if (fstat(fd, &status) != 0 || !S_ISREG(status.st_mode) || status.st_uid != getuid()) {
    close(fd);
    return -1;
  }
  return fd;
}

// A lock of the open file description over the whole file: it lasts while the
// descriptor is open, and another description's test sees it without taking it.
struct flock WholeFileWriteLock() {
  struct flock lock {};
  lock.l_type = F_WRLCK;
  lock.l_whence = SEEK_SET;
  return lock;
}

}  // namespace

std::vector<std::string> SessionClaimNames(const std::string& what, const std::string& xDisplayName,
                                           const std::string& waylandDisplayName) {
  std::vector<std::string> names;
  if (!xDisplayName.empty()) names.push_back(DisplayClaimName(what, xDisplayName));
  if (!waylandDisplayName.empty()) names.push_back(WaylandClaimName(what, waylandDisplayName));
  return names;
}

std::string DisplayClaimName(const std::string& what, const std::string& displayName) {
  // host:number.screen; the screen does not matter, "unix" is the local host.
  const size_t colon = displayName.rfind(':');
  std::string host = colon == std::string::npos ? std::string() : displayName.substr(0, colon);
  std::string number = colon == std::string::npos ? displayName : displayName.substr(colon + 1);
  number = number.substr(0, number.find('.'));
  if (host == "unix") host.clear();
  return PlainFileName("veyora-" + what + "-" + host + "-" + number + ".lock");
}

std::string WaylandClaimName(const std::string& what, const std::string& waylandDisplayName) {
  return PlainFileName("veyora-" + what + "-wayland-" + waylandDisplayName + ".lock");
}

bool Claim(const std::vector<std::string>& names) {
  for (const std::string& name : names) {
    const int fd = OpenLockFile(name, true);
    struct flock lock = WholeFileWriteLock();
    if (fd < 0) return false;
    if (fcntl(fd, F_OFD_SETLK, &lock) != 0) {
      close(fd);
      return false;
    }
    // The lock is held through this descriptor until the process ends.
  }
  return true;
}

bool ClaimedElsewhere(const std::vector<std::string>& names) {
  for (const std::string& name : names) {
    // A lock file nobody has made is held by nobody.
    const int fd = OpenLockFile(name, false);
    if (fd < 0) continue;
    struct flock lock = WholeFileWriteLock();
    const bool held = fcntl(fd, F_OFD_GETLK, &lock) == 0 && lock.l_type != F_UNLCK;
    close(fd);
    if (held) return true;
  }
  return false;
}

}  // namespace veyora::frontend

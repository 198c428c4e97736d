#include "frontend/system/file_replacement.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <climits>
#include <cstdio>
#include <cstdlib>

namespace veyora::frontend {

namespace {

bool WriteAll(int fd, const std::string& bytes) {
  size_t done = 0;
  while (done < bytes.size()) {
    const ssize_t wrote = write(fd, bytes.data() + done, bytes.size() - done);
    if (wrote < 0 && errno == EINTR) continue;
    if (wrote <= 0) return false;
    done += wrote;
  }
  return true;
}

// The file a link points to, so that replacing the file keeps the link.
std::string ResolvedPath(const std::string& path) {
  char resolved[PATH_MAX];
  if (realpath(path.c_str(), resolved)) return resolved;
  return path;
}

// A file the user made read-only is left alone, even where the folder would let
// it be replaced (and even for the superuser, whom permissions do not stop).
bool ReadOnly(const std::string& target) {
  struct stat status {};
  if (stat(target.c_str(), &status) != 0) return false;
  return (status.st_mode & (S_IWUSR | S_IWGRP | S_IWOTH)) == 0 ||
         faccessat(AT_FDCWD, target.c_str(), W_OK, AT_EACCESS) != 0;
}

}  // namespace

bool ReplaceFile(const std::string& path, const std::string& bytes) {
  const std::string target = ResolvedPath(path);
  if (ReadOnly(target)) {
    errno = EACCES;
    return false;
  }
  std::string temporary = target + ".XXXXXX";
  const int fd = mkstemp(temporary.data());
  if (fd < 0) return false;
  struct stat old {};
  mode_t mode = 0;
  if (stat(target.c_str(), &old) == 0) {
    mode = old.st_mode & 07777;
  } else {
    const mode_t mask = umask(0);
    umask(mask);
    mode = 0666 & ~mask;
  }
  const bool written = fchmod(fd, mode) == 0 && WriteAll(fd, bytes) && fsync(fd) == 0;
  if (close(fd) == 0 && written && rename(temporary.c_str(), target.c_str()) == 0) return true;
  const int failure = errno;
  unlink(temporary.c_str());
  errno = failure;
  return false;
}

}  // namespace veyora::frontend

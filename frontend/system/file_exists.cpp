#include "frontend/system/file_exists.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace veyora::frontend {

bool File_Exists(std::string path) {
  if (!path.empty() && path.back() == '/') path.pop_back();
  if (path.empty() || path.find('\0') != std::string::npos) return false;
  // Non-blocking, so that a named pipe cannot hold the program up.
  const int fd = open(path.c_str(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
  if (fd < 0) return false;
  struct stat status {};
  const bool regular = fstat(fd, &status) == 0 && S_ISREG(status.st_mode);
  close(fd);
  return regular;
}

}  // namespace veyora::frontend

#include "frontend/startup/profile_access.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <climits>
#include <cstdlib>
#include <optional>

#include "frontend/startup/cp932.h"
#include "frontend/startup/profile_text.h"
#include "frontend/startup/profile_value.h"

namespace {

// A settings file is a few lines; anything larger than this is not one, and is
// neither read nor rewritten.
constexpr off_t kLargestSettingsFile = 16 * 1024 * 1024;

enum class ReadOutcome { Read, Missing, Failed };

ReadOutcome ReadWholeFile(const std::string& path, std::string& bytes) {
  bytes.clear();
  if (path.empty() || path.find('\0') != std::string::npos) return ReadOutcome::Failed;
  const int fd = open(path.c_str(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
  if (fd < 0) return errno == ENOENT ? ReadOutcome::Missing : ReadOutcome::Failed;
  struct stat status {};
  ReadOutcome outcome = ReadOutcome::Failed;
  if (fstat(fd, &status) == 0 && S_ISREG(status.st_mode) &&
      status.st_size <= kLargestSettingsFile) {
    outcome = ReadOutcome::Read;
    char buffer[65536];
    for (;;) {
      const ssize_t got = read(fd, buffer, sizeof buffer);
      if (got == 0) break;
      if (got < 0 && errno == EINTR) continue;
      if (got < 0 || bytes.size() + got > static_cast<size_t>(kLargestSettingsFile)) {
        outcome = ReadOutcome::Failed;
        break;
      }
      bytes.append(buffer, got);
    }
  }
  close(fd);
  return outcome;
}

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

// Writes a sibling file and renames it over the old one, so that the settings
// file is never left half written. The new file keeps the old one's permissions.
void ReplaceFile(const std::string& path, const std::string& bytes) {
  const std::string target = ResolvedPath(path);
  std::string temporary = target + ".XXXXXX";
  const int fd = mkstemp(temporary.data());
  if (fd < 0) return;
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
  if (close(fd) == 0 && written && rename(temporary.c_str(), target.c_str()) == 0) return;
  unlink(temporary.c_str());
}

}  // namespace

std::string INI_Read(const std::string& section, const std::string& key, const std::string& path) {
  std::string file;
  if (ReadWholeFile(path, file) != ReadOutcome::Read) return {};
  const std::optional<std::string> sectionName = Utf8ToCp932(section);
  const std::optional<std::string> keyName = Utf8ToCp932(key);
  if (!sectionName || !keyName) return {};
  const std::optional<std::string> stored = ProfileLookup(file, *sectionName, *keyName);
  return stored ? DecodeProfileValue(*stored) : std::string();
}

void INI_Write(const std::string& section, const std::string& key, const std::string& value,
               const std::string& path) {
  std::string file;
  // An existing file that cannot be read is left alone rather than replaced.
  if (ReadWholeFile(path, file) == ReadOutcome::Failed) return;
  const std::optional<std::string> sectionName = Utf8ToCp932(section);
  const std::optional<std::string> keyName = Utf8ToCp932(key);
  if (!sectionName || !keyName) return;
  const std::optional<std::string> updated =
      ProfileStore(file, *sectionName, *keyName, EncodeProfileValue(value));
  if (updated) ReplaceFile(path, *updated);
}

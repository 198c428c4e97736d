#include "frontend/settings/profile_access.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <climits>
#include <cstdlib>

#include "frontend/settings/profile_text.h"
#include "frontend/settings/profile_value.h"
#include "frontend/text/utf8_text.h"

namespace veyora::frontend {

namespace {

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
    bytes.reserve(status.st_size);
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

// A file the user made read-only is left alone, even where the folder would let
// it be replaced (and even for the superuser, whom permissions do not stop).
bool ReadOnly(const std::string& target) {
  struct stat status {};
  if (stat(target.c_str(), &status) != 0) return false;
  return (status.st_mode & (S_IWUSR | S_IWGRP | S_IWOTH)) == 0 ||
         faccessat(AT_FDCWD, target.c_str(), W_OK, AT_EACCESS) != 0;
}

// Writes a sibling file and renames it over the old one, so that the settings
// file is never left half written. The new file keeps the old one's permissions.
bool ReplaceFile(const std::string& path, const std::string& bytes) {
  const std::string target = ResolvedPath(path);
  if (ReadOnly(target)) return false;
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
  unlink(temporary.c_str());
  return false;
}

// The key names as the file spells them; nullopt when one cannot be spelt so.
std::optional<std::vector<std::string>> EncodedNames(std::span<const std::string> names,
                                                     ProfileEncoding encoding) {
  std::vector<std::string> encoded;
  for (const std::string& name : names) {
    std::optional<std::string> spelt = EncodeProfileName(name, encoding);
    if (!spelt) return std::nullopt;
    encoded.push_back(std::move(*spelt));
  }
  return encoded;
}

}  // namespace

std::optional<std::vector<std::string>> INI_Read(const std::string& section,
                                                 std::span<const std::string> keys,
                                                 const std::string& path) {
  std::vector<std::string> values(keys.size());
  std::string file;
  const ReadOutcome outcome = ReadWholeFile(path, file);
  if (outcome == ReadOutcome::Missing) return values;
  if (outcome == ReadOutcome::Failed) return std::nullopt;
  const ProfileEncoding encoding = DetectProfileEncoding(file);
  const std::optional<std::string> sectionName = EncodeProfileName(section, encoding);
  const std::optional<std::vector<std::string>> keyNames = EncodedNames(keys, encoding);
  if (!sectionName || !keyNames) return values;
  const std::vector<std::optional<std::string>> stored =
      ProfileLookup(file, encoding, *sectionName, *keyNames);
  for (size_t i = 0; i < keys.size(); ++i) {
    if (stored[i]) values[i] = DecodeProfileValue(*stored[i], encoding);
  }
  return values;
}

bool INI_Write(const std::string& section, std::span<const ProfileEntry> entries,
               const std::string& path) {
  std::string file;
  // An existing file that cannot be read is left alone rather than replaced.
  if (ReadWholeFile(path, file) == ReadOutcome::Failed) return false;
  std::vector<std::string> keys;
  for (const ProfileEntry& entry : entries) keys.push_back(entry.key);
  const ProfileEncoding encoding = DetectProfileEncoding(file);
  const std::optional<std::string> sectionName = EncodeProfileName(section, encoding);
  const std::optional<std::vector<std::string>> keyNames = EncodedNames(keys, encoding);
  if (!sectionName || !keyNames) return false;
  for (size_t i = 0; i < entries.size(); ++i) {
    std::optional<std::string> updated = ProfileStore(
        file, encoding, *sectionName, (*keyNames)[i], EncodeProfileValue(entries[i].value, encoding));
    if (!updated) return false;
    file = std::move(*updated);
  }
  // A value that is no UTF-8 would make the file read as CP932 next time; the mark
  // keeps it UTF-8.
  constexpr std::string_view kUtf8Mark = "\xEF\xBB\xBF";
  if (encoding == ProfileEncoding::Utf8 && !file.starts_with(kUtf8Mark) && !IsWellFormedUtf8(file)) {
    file.insert(0, kUtf8Mark);
  }
  return ReplaceFile(path, file);
}

}  // namespace veyora::frontend

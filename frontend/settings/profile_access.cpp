#include "frontend/settings/profile_access.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

#include "frontend/settings/profile_text.h"
#include "frontend/settings/profile_value.h"
#include "frontend/system/file_replacement.h"
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
    std::optional<std::string> updated =
        ProfileStore(file, encoding, *sectionName, (*keyNames)[i],
                     EncodeProfileValue(entries[i].value, encoding));
    if (!updated) return false;
    file = std::move(*updated);
  }
  // A value that is no UTF-8 would make the file read as CP932 next time; the mark
  // keeps it UTF-8.
  constexpr std::string_view kUtf8Mark = "\xEF\xBB\xBF";
  if (encoding == ProfileEncoding::Utf8 && !file.starts_with(kUtf8Mark) &&
      !IsWellFormedUtf8(file)) {
    file.insert(0, kUtf8Mark);
  }
  return ReplaceFile(path, file);
}

}  // namespace veyora::frontend

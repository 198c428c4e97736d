#include "frontend/settings/profile_value.h"

#include "frontend/settings/cp932.h"

namespace veyora::frontend {

namespace {

constexpr std::string_view kUtf8Mark = "\xEF\xBB\xBF";

}  // namespace

std::string EncodeProfileValue(std::string_view text, ProfileEncoding encoding) {
  if (encoding == ProfileEncoding::Utf8) return std::string(text);
  const std::optional<std::string> cp932 = Utf8ToCp932(text);
  // Some characters convert to CP932 but come back as another one; those take
  // the marked form too.
  if (cp932 && Cp932ToUtf8(*cp932) == text) return *cp932;
  return std::string(kUtf8Mark) + std::string(text);
}

std::string DecodeProfileValue(std::string_view stored, ProfileEncoding encoding) {
  if (encoding == ProfileEncoding::Utf8) return std::string(stored);
  if (stored.substr(0, kUtf8Mark.size()) == kUtf8Mark) {
    return std::string(stored.substr(kUtf8Mark.size()));
  }
  if (std::optional<std::string> text = Cp932ToUtf8(stored)) return *text;
  return std::string(stored);
}

std::optional<std::string> EncodeProfileName(std::string_view name, ProfileEncoding encoding) {
  if (encoding == ProfileEncoding::Utf8) return std::string(name);
  return Utf8ToCp932(name);
}

}  // namespace veyora::frontend

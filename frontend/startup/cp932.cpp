#include "frontend/startup/cp932.h"

#include <iconv.h>

namespace {

std::optional<std::string> Convert(const char* to, const char* from, std::string_view text) {
  iconv_t converter = iconv_open(to, from);
  if (converter == reinterpret_cast<iconv_t>(-1)) return std::nullopt;
  std::string result;
  // Every character of either side takes at most four bytes on the other.
  result.resize(text.size() * 4 + 4);
  char* in = const_cast<char*>(text.data());
  size_t inLeft = text.size();
  char* out = result.data();
  size_t outLeft = result.size();
  const size_t converted = iconv(converter, &in, &inLeft, &out, &outLeft);
  const bool complete =
      converted != static_cast<size_t>(-1) &&
      iconv(converter, nullptr, nullptr, &out, &outLeft) != static_cast<size_t>(-1);
  iconv_close(converter);
  if (!complete || inLeft != 0) return std::nullopt;
  result.resize(result.size() - outLeft);
  return result;
}

}  // namespace

std::optional<std::string> Utf8ToCp932(std::string_view utf8) {
  return Convert("CP932", "UTF-8", utf8);
}

std::optional<std::string> Cp932ToUtf8(std::string_view cp932) {
  return Convert("UTF-8", "CP932", cp932);
}

#include "frontend/settings/cp932.h"

#include <iconv.h>

namespace veyora::frontend {

namespace {

// One converter per direction and thread, opened on first use: opening one
// costs far more than a conversion.
class Converter {
 public:
  Converter(const char* to, const char* from) : handle_(iconv_open(to, from)) {}
  ~Converter() {
    if (Usable()) iconv_close(handle_);
  }
  Converter(const Converter&) = delete;
  Converter& operator=(const Converter&) = delete;

  std::optional<std::string> Convert(std::string_view text) {
    if (!Usable()) return std::nullopt;
    iconv(handle_, nullptr, nullptr, nullptr, nullptr);  // back to the initial state
    std::string result;
    // Every character of either side takes at most four bytes on the other.
    result.resize(text.size() * 4 + 4);
    char* in = const_cast<char*>(text.data());
    size_t inLeft = text.size();
    char* out = result.data();
    size_t outLeft = result.size();
    const bool complete =
        iconv(handle_, &in, &inLeft, &out, &outLeft) != static_cast<size_t>(-1) &&
        iconv(handle_, nullptr, nullptr, &out, &outLeft) != static_cast<size_t>(-1);
    if (!complete || inLeft != 0) return std::nullopt;
    result.resize(result.size() - outLeft);
    return result;
  }

 private:
  bool Usable() const { return handle_ != reinterpret_cast<iconv_t>(-1); }
  iconv_t handle_;
};

}  // namespace

std::optional<std::string> Utf8ToCp932(std::string_view utf8) {
  thread_local Converter converter("CP932", "UTF-8");
  return converter.Convert(utf8);
}

std::optional<std::string> Cp932ToUtf8(std::string_view cp932) {
  thread_local Converter converter("UTF-8", "CP932");
  return converter.Convert(cp932);
}

}  // namespace veyora::frontend

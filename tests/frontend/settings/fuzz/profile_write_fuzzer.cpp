// Any settings file, names and value: a write either is refused and the caller
// keeps the old file, or the value reads back from the new file, and every line
// before the written one is unchanged. Values survive their stored form exactly.
#include <fuzzer/FuzzedDataProvider.h>

#include <array>
#include <cstdlib>
#include <string>

#include "frontend/settings/profile_text.h"
#include "frontend/settings/profile_value.h"
#include "frontend/text/ascii_text.h"

using namespace veyora::frontend;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  FuzzedDataProvider input(data, size);
  const std::string section = input.ConsumeRandomLengthString(16);
  const std::string key = input.ConsumeRandomLengthString(16);
  const std::string value = input.ConsumeRandomLengthString(64);
  const std::string file = input.ConsumeRemainingBytesAsString();
  const ProfileEncoding encoding = DetectProfileEncoding(file);

  if (DecodeProfileValue(EncodeProfileValue(value, encoding), encoding) != value) std::abort();

  const std::optional<std::string> written = ProfileStore(file, encoding, section, key, value);
  if (!written) return 0;
  const std::array<std::string, 1> keys = {key};
  const std::optional<std::string> readBack = ProfileLookup(*written, encoding, section, keys)[0];
  if (!readBack || *readBack != TrimBlanks(value)) std::abort();
  // The bytes before the first difference end on a whole line of the old file.
  size_t same = 0;
  while (same < file.size() && same < written->size() && file[same] == (*written)[same]) ++same;
  if (same < file.size() && same > 0 && file[same - 1] != '\n' && file[same - 1] != '\r') {
    // Only the replaced line itself may differ part way: find its start.
    const size_t lineStart = file.find_last_of("\r\n", same - 1);
    const std::string_view before(file.data(), lineStart == std::string::npos ? 0 : lineStart + 1);
    if (std::string_view(*written).substr(0, before.size()) != before) std::abort();
  }
  return 0;
}

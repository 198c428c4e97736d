// Any bytes as a settings file: looking up names and reading the values found
// must neither crash nor give a value that spans a line.
#include <fuzzer/FuzzedDataProvider.h>

#include <cstdlib>
#include <string>

#include "frontend/startup/number_text.h"
#include "frontend/startup/profile_text.h"
#include "frontend/startup/profile_value.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  FuzzedDataProvider input(data, size);
  const std::string section = input.ConsumeRandomLengthString(16);
  const std::string key = input.ConsumeRandomLengthString(16);
  const std::string file = input.ConsumeRemainingBytesAsString();
  for (const auto& [s, k] : {std::pair<std::string, std::string>{section, key},
                             {"Section", "BGM\x8B\xE6\x95\xAA"},
                             {"Section", "BGM\xCC\xA7\xB2\xD9"}}) {
    const std::optional<std::string> value = ProfileLookup(file, s, k);
    if (!value) continue;
    if (value->find('\n') != std::string::npos) std::abort();
    const std::string text = DecodeProfileValue(*value);
    ParseNumberText(text);
  }
  return 0;
}

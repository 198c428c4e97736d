// Any bytes as a settings file: looking up names and reading the values found
// must neither crash nor give a value that spans a line.
#include <fuzzer/FuzzedDataProvider.h>

#include <array>
#include <cstdlib>
#include <string>

#include "frontend/settings/profile_text.h"
#include "frontend/settings/profile_value.h"
#include "frontend/text/number_text.h"

using namespace veyora::frontend;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  FuzzedDataProvider input(data, size);
  const std::string section = input.ConsumeRandomLengthString(16);
  const std::array<std::string, 3> keys = {input.ConsumeRandomLengthString(16),
                                           "BGM\x8B\xE6\x95\xAA", "BGM\xCC\xA7\xB2\xD9"};
  const std::string file = input.ConsumeRemainingBytesAsString();
  const ProfileEncoding encoding = DetectProfileEncoding(file);
  for (const std::string& name : {section, std::string("Section")}) {
    for (const std::optional<std::string>& value : ProfileLookup(file, encoding, name, keys)) {
      if (!value) continue;
      if (value->find_first_of("\r\n") != std::string::npos) std::abort();
      ParseNumberText(DecodeProfileValue(*value, encoding));
    }
  }
  return 0;
}

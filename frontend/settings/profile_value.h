#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "frontend/settings/profile_text.h"

namespace veyora::frontend {

// How the program's UTF-8 texts are kept in a settings file of either encoding.
//
// In a CP932 file a text that CP932 represents exactly is stored in CP932, as the
// Windows program stores it. Any other text (é, emoji, bytes that are no UTF-8) is
// stored as a UTF-8 byte-order mark followed by its bytes unchanged: EF BB never
// starts a CP932 character, so no CP932 value can be taken for such a one. In a
// UTF-8 file every text is stored as it is.
std::string EncodeProfileValue(std::string_view text, ProfileEncoding encoding);

// The text of a stored value: in a CP932 file, after the mark the bytes as they
// stand, otherwise the value read as CP932, or its bytes unchanged when it is no
// CP932 (a value typed in with a UTF-8 editor, say).
std::string DecodeProfileValue(std::string_view stored, ProfileEncoding encoding);

// A section or key name as the file spells it; nullopt when CP932 cannot hold it.
std::optional<std::string> EncodeProfileName(std::string_view name, ProfileEncoding encoding);

}  // namespace veyora::frontend

#pragma once

#include <string>
#include <string_view>

// How a setting's text is kept in the settings file. A text that CP932 represents
// exactly is stored in CP932, as the Windows program stores it. Any other text (é,
// emoji, bytes that are no UTF-8) is stored as a UTF-8 byte-order mark followed by
// its bytes unchanged: EF BB never starts a CP932 character, so no CP932 value can
// be taken for such a one.
std::string EncodeProfileValue(std::string_view text);

// The text of a stored value: after the mark, the bytes as they stand; otherwise
// the value read as CP932, or its bytes unchanged when it is no CP932 (a value
// typed in with a UTF-8 editor, say).
std::string DecodeProfileValue(std::string_view stored);

#pragma once

#include <optional>
#include <string_view>

namespace veyora::frontend {

// Reads the number at the start of `text` the way the command line's numbers are
// read: blanks, tabs and line feeds are skipped wherever they stand; a decimal
// number (sign, digits, one point, an exponent with E or D), or a hexadecimal or
// octal one after &H or &O; reading stops at the first character that cannot
// continue the number. Text without a number gives 0.
double ReadLeadingNumber(std::string_view text);

// The number that the whole of `text` spells (blanks and tabs around it allowed),
// in the same forms; nullopt when the text is not a number. Too large a number
// gives an infinite value.
std::optional<double> ParseNumberText(std::string_view text);

}  // namespace veyora::frontend

#include "frontend/text/number_text.h"

#include <charconv>
#include <cmath>
#include <string>

#include "frontend/text/ascii_text.h"

namespace veyora::frontend {

namespace {

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

int DigitValue(char c, int radix) {
  int value = radix;
  if (c >= '0' && c <= '9') value = c - '0';
  if (c >= 'a' && c <= 'f') value = c - 'a' + 10;
  if (c >= 'A' && c <= 'F') value = c - 'A' + 10;
  return value < radix ? value : -1;
}

// A number read from the front of some text: its value and how many characters it took.
struct NumberPrefix {
  double value = 0;
  size_t length = 0;
  bool found = false;
};

// &H or &O followed by digits of that radix. The digits are taken as an unsigned
// number of any size.
NumberPrefix ReadRadixNumber(std::string_view text) {
  NumberPrefix number;
  if (text.size() < 2 || text[0] != '&') return number;
  const char prefix = text[1];
  const int radix = (prefix == 'H' || prefix == 'h')   ? 16
                    : (prefix == 'O' || prefix == 'o') ? 8
                                                       : 0;
  if (radix == 0) return number;
  size_t at = 2;
  while (at < text.size()) {
    const int digit = DigitValue(text[at], radix);
    if (digit < 0) break;
    number.value = number.value * radix + digit;
    number.found = true;
    ++at;
  }
  // "&H" with no digit is still taken as read: it holds no number.
  number.length = at;
  return number;
}

// [sign] digits [. digits] [exponent], or [sign] . digits [exponent]. The exponent
// (E or D, optional sign, at least one digit) is only taken when complete.
NumberPrefix ReadDecimalNumber(std::string_view text) {
  NumberPrefix number;
  std::string clean;
  size_t at = 0;
  if (at < text.size() && (text[at] == '+' || text[at] == '-')) {
    if (text[at] == '-') clean += '-';
    ++at;
  }
  size_t digits = 0;
  while (at < text.size() && IsDigit(text[at])) clean += text[at++], ++digits;
  if (at < text.size() && text[at] == '.') {
    clean += '.';
    ++at;
    while (at < text.size() && IsDigit(text[at])) clean += text[at++], ++digits;
  }
  if (digits == 0) return number;
  if (at < text.size() &&
      (text[at] == 'E' || text[at] == 'e' || text[at] == 'D' || text[at] == 'd')) {
    size_t exponentAt = at + 1;
    std::string exponent = "e";
    if (exponentAt < text.size() && (text[exponentAt] == '+' || text[exponentAt] == '-')) {
      exponent += text[exponentAt++];
    }
    const size_t exponentDigitsAt = exponentAt;
    while (exponentAt < text.size() && IsDigit(text[exponentAt])) exponent += text[exponentAt++];
    if (exponentAt > exponentDigitsAt) {
      clean += exponent;
      at = exponentAt;
    }
  }
  double value = 0;
  const auto [end, error] = std::from_chars(clean.data(), clean.data() + clean.size(), value);
  if (error == std::errc::result_out_of_range) {
    // Too large gives infinity, too small gives zero, each with the number's sign.
    const bool negative = clean[0] == '-';
    const size_t e = clean.find('e');
    const bool tiny = e != std::string::npos && clean[e + 1] == '-';
    value = tiny ? 0.0 : HUGE_VAL;
    if (negative) value = -value;
  }
  number.value = value;
  number.length = at;
  number.found = true;
  return number;
}

NumberPrefix ReadNumberPrefix(std::string_view text) {
  if (!text.empty() && text[0] == '&') return ReadRadixNumber(text);
  return ReadDecimalNumber(text);
}

bool IsSkippedInNumber(char c) { return c == ' ' || c == '\t' || c == '\n'; }

}  // namespace

double ReadLeadingNumber(std::string_view text) {
  std::string packed;
  packed.reserve(text.size());
  for (char c : text) {
    if (!IsSkippedInNumber(c)) packed += c;
  }
  return ReadNumberPrefix(packed).value;
}

std::optional<double> ParseNumberText(std::string_view text) {
  text = TrimBlanks(text);
  const NumberPrefix number = ReadNumberPrefix(text);
  if (!number.found || number.length != text.size()) return std::nullopt;
  return number.value;
}

}  // namespace veyora::frontend

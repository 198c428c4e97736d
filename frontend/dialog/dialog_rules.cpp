#include "frontend/dialog/dialog_rules.h"

#include <cmath>
#include <optional>

#include "frontend/text/number_text.h"

namespace veyora::frontend {

std::pair<int, int> DialogPlace(int screenWidth, int screenHeight, int windowWidth,
                                int windowHeight) {
  return {(screenWidth - windowWidth) / 2, (screenHeight - windowHeight) / 3};
}

std::string TrackText(int16_t track) { return track == 0 ? std::string() : std::to_string(track); }

int16_t TrackFromText(std::string_view text) {
  const std::optional<double> number = ParseNumberText(text);
  if (!number) return 0;
  const double whole = std::nearbyint(*number);  // the default rounding: halves to even
  if (!(whole >= INT16_MIN && whole <= INT16_MAX)) return 0;
  return static_cast<int16_t>(whole);
}

std::string AnyCasePattern(std::string_view pattern) {
  std::string anyCase;
  for (char c : pattern) {
    const bool letter = (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
    if (!letter) {
      anyCase += c;
      continue;
    }
    const char lower = static_cast<char>(c | 0x20);
    anyCase += {'[', lower, static_cast<char>(lower & ~0x20), ']'};
  }
  return anyCase;
}

std::vector<int> GradientRowLevels(double heightTwips, int rows) {
  constexpr double kTwipsPerPixel = 15;
  std::vector<int> levels(rows, -1);
  const double step = heightTwips / 3.142;
  const long lastLine = std::lround(heightTwips);
  for (long y = 0; y <= lastLine; ++y) {
    const long row = std::lround(y / kTwipsPerPixel);
    if (row >= rows) break;
    levels[row] = static_cast<int>(std::nearbyint(std::fabs(std::sin(y / step)) * 220));
  }
  return levels;
}

}  // namespace veyora::frontend

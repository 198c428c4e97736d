#include "frontend/music/tmsf_position.h"

#include <cstdio>

namespace veyora::frontend {

std::string FormatTmsf(const TmsfPosition& position) {
  char text[32];
  std::snprintf(text, sizeof text, "%02d:%02d:%02d:%02d", position.track, position.minutes,
                position.seconds, position.frames);
  return text;
}

std::optional<TmsfPosition> ParseTmsf(std::string_view text) {
  int fields[4] = {0, 0, 0, 0};
  int count = 0;
  size_t i = 0;
  while (true) {
    if (count == 4) return std::nullopt;
    size_t start = i;
    int value = 0;
    while (i < text.size() && text[i] >= '0' && text[i] <= '9' && i - start < 2) {
      value = value * 10 + (text[i] - '0');
      ++i;
    }
    if (i == start) return std::nullopt;
    fields[count++] = value;
    if (i == text.size()) break;
    if (text[i] != ':') return std::nullopt;
    ++i;
  }
  TmsfPosition position{fields[0], fields[1], fields[2], fields[3]};
  if (position.seconds >= 60 || position.frames >= 75) return std::nullopt;
  return position;
}

}  // namespace veyora::frontend

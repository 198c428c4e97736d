#include "renderer/core/picture_seen.h"

namespace veyora {

namespace {
constexpr int kPowerOn = 0;
}

bool PictureSeen(const ScreenState& screen, bool windowFullyObscured) {
  return !screen.saverActive && screen.powerLevel == kPowerOn && !windowFullyObscured;
}

}  // namespace veyora

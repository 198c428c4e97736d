#include "platform/video_driver_choice.h"

#include <string_view>

namespace platform {

VideoDriver PreferredVideoDriver(const char* waylandDisplay, const char* sdlVideoDriver) {
  if (sdlVideoDriver && *sdlVideoDriver) {
    const std::string_view drivers(sdlVideoDriver);
    return drivers.substr(0, drivers.find(',')) == "wayland" ? VideoDriver::Wayland
                                                             : VideoDriver::X11;
  }
  return waylandDisplay && *waylandDisplay ? VideoDriver::Wayland : VideoDriver::X11;
}

}  // namespace platform

#pragma once

#include <string_view>

namespace veyora {

// True when the space-separated extension list (as GLX and EGL give it) holds the
// name whole, not only as the start of a longer name.
bool ListsExtension(std::string_view list, std::string_view name);

}  // namespace veyora

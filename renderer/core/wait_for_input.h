#pragma once

#include <initializer_list>

namespace veyora {

// Sleeps for up to `seconds` (at least a millisecond), until one of the
// descriptors has something to read or a termination signal arrives.
void WaitForInput(std::initializer_list<int> fds, double seconds);

}  // namespace veyora

#pragma once

namespace platform {

// Opens /dev/null on each of descriptors 0, 1 and 2 that is closed, as an idle
// runner may leave them. Called first thing in main: otherwise the next file or
// connection the program opens takes a free one of these numbers, and whatever is
// written to standard output or error lands in it.
void KeepStandardStreamsOpen();

}  // namespace platform

#pragma once

namespace veyora::frontend::ui {

// Ends the program at once with `status` (0: it did what it was started for): no
// window's unload handler and no destructor runs after it; written data is
// flushed and open files are closed.
[[noreturn]] void EndProgram(int status = 0);

}  // namespace veyora::frontend::ui

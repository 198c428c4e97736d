#pragma once

namespace ui {

// Ends the program at once with status 0: no window's unload handler and no
// destructor runs after it; written data is flushed and open files are closed.
[[noreturn]] void EndProgram();

}  // namespace ui

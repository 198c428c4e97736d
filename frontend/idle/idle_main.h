#pragma once

#include <string>
#include <vector>

namespace veyora::frontend {

// "--idle [DELAY]" and "--idle --autostart [DELAY]": the arguments after the
// program's name. Returns the program's exit status: 0 after a watch ended by a
// signal or an entry written, 1 when the session offers no idle source or the
// entry cannot be written, 2 for arguments that are no idle command.
int RunIdleCommand(const std::vector<std::string>& arguments);

}  // namespace veyora::frontend

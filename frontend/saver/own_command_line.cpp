#include "frontend/saver/own_command_line.h"

#include <fstream>
#include <iterator>
#include <vector>

#include "frontend/startup/dispatch.h"

std::string OwnCommandLineText() {
  // The kernel keeps the arguments as NUL-terminated strings, the program's name first.
  std::ifstream in("/proc/self/cmdline", std::ios::binary);
  const std::string raw((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  std::vector<std::string> arguments;
  for (size_t start = 0; start < raw.size();) {
    const size_t end = raw.find('\0', start);
    arguments.push_back(raw.substr(start, end - start));
    if (end == std::string::npos) break;
    start = end + 1;
  }
  if (arguments.empty()) return {};
  std::vector<const char*> argv;
  for (const std::string& argument : arguments) argv.push_back(argument.c_str());
  return CommandLineText(static_cast<int>(argv.size()), argv.data());
}

#pragma once

#include <string>

// The command-line text of this process as the start-up read it: the arguments
// after the program's name joined by single blanks. Empty when it cannot be read.
std::string OwnCommandLineText();

#pragma once

#include <string>

// The renderer program, next to the front end. Empty when the program's folder
// cannot be read.
std::string Renderer_Path();

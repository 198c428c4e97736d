#include "renderer/shell/renderer_main.h"

// The command line is ignored: the front end starts the renderer without arguments.
int main() { return veyora::RendererMain(); }

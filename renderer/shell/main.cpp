#include <string_view>
#include <vector>

#include "renderer/shell/renderer_main.h"

int main(int argc, char** argv) {
  const std::vector<std::string_view> arguments(argv + 1, argv + argc);
  return veyora::RendererMain(arguments);
}

#include <string_view>
#include <vector>

#include "platform/standard_streams.h"
#include "renderer/program/renderer_main.h"

int main(int argc, char** argv) {
  platform::KeepStandardStreamsOpen();
  const std::vector<std::string_view> arguments(argv + 1, argv + argc);
  return veyora::RendererMain(arguments);
}

#include "bench/renderer/scene_recording.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cstdio>
#include <ctime>
#include <fstream>

#include "renderer/scene/glow_scene.h"

namespace bench {

SceneRecording::SceneRecording(int frames)
    : path_("/tmp/veyora-scene-" + std::to_string(getpid()) + ".frames") {
  veyora::GlowScene scene = veyora::CreateScene(veyora::SceneParameters{},
                                                static_cast<std::uint32_t>(std::time(nullptr)));
  for (int i = 0; i < frames; ++i) veyora::AdvanceScene(scene, *this);
  std::ofstream(path_, std::ios::binary)
      .write(reinterpret_cast<const char*>(floats_.data()),
             static_cast<std::streamsize>(floats_.size() * sizeof(float)));
  // The Wayland benchmark's compositor session runs as an account of its own.
  chmod(path_.c_str(), 0644);
}

SceneRecording::~SceneRecording() { std::remove(path_.c_str()); }

void SceneRecording::DrawSprite(const std::array<float, 3>& rgb, float x, float y, float z,
                                float scale) {
  floats_.insert(floats_.end(), {rgb[0], rgb[1], rgb[2], x, y, z, scale});
}

}  // namespace bench

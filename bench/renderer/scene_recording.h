#pragma once

#include <array>
#include <string>
#include <vector>

#include "renderer/scene/sprite_sink.h"

namespace bench {

// Frames of the scene's sprites in a file, for the bare program to replay: the same
// picture without the scene. Per frame, 200 sprites of seven floats each (red, green,
// blue, x, y, z, scale). The file is readable by every account and goes with the
// object.
class SceneRecording final : public veyora::SpriteSink {
 public:
  explicit SceneRecording(int frames);
  ~SceneRecording() override;
  SceneRecording(const SceneRecording&) = delete;
  SceneRecording& operator=(const SceneRecording&) = delete;

  const std::string& Path() const { return path_; }

  void DrawSprite(const std::array<float, 3>& rgb, float x, float y, float z, float scale) override;

 private:
  std::string path_;
  std::vector<float> floats_;
};

}  // namespace bench

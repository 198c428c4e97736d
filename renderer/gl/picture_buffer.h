#pragma once

#include <SDL.h>

namespace veyora {

// The picture the fade and the sprites accumulate on, kept in a framebuffer object
// of the window's size, so the trails never depend on what the window's back buffer
// holds after a swap. Each frame draws into it and copies it whole to the back
// buffer before the swap. Where the driver has no framebuffer objects, frames are
// drawn straight into the back buffer.
class PictureBuffer {
 public:
  // Needs the window's context current. The buffer starts black.
  PictureBuffer(int width, int height);
  ~PictureBuffer();
  PictureBuffer(const PictureBuffer&) = delete;
  PictureBuffer& operator=(const PictureBuffer&) = delete;

  // True when frames are kept in a buffer of their own.
  bool Persistent() const { return framebuffer_ != 0; }

  // Directs drawing into the picture.
  void BeginDrawing();
  // Copies the picture to the back buffer, flushes and presents it.
  void Present(SDL_Window* window);

 private:
  int width_;
  int height_;
  unsigned framebuffer_ = 0;
  unsigned colorBuffer_ = 0;
};

}  // namespace veyora

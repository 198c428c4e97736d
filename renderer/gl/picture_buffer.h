#pragma once

#include <SDL.h>

namespace veyora {

// How finely the picture keeps its channels.
enum class PicturePrecision {
  // 16 bits per channel where the driver can draw into such a buffer, else 8. The
  // fade then takes every pixel down to true black: at 8 bits, rounding holds the
  // last few levels of every trail for ever.
  Deep,
  // 8 bits per channel, like the window's own buffer.
  Standard,
};

// The picture the fade and the sprites accumulate on, kept in a framebuffer object
// of the window's size, so the trails never depend on what the window's back buffer
// holds after a swap. Each frame draws into it and copies it whole to the back
// buffer (as a texture over the whole view) before the swap. Where the driver has no framebuffer objects, frames are
// drawn straight into the back buffer.
class PictureBuffer {
 public:
  // Needs the window's context current. The buffer starts black.
  PictureBuffer(int width, int height, PicturePrecision precision = PicturePrecision::Deep);
  ~PictureBuffer();
  PictureBuffer(const PictureBuffer&) = delete;
  PictureBuffer& operator=(const PictureBuffer&) = delete;

  // True when frames are kept in a buffer of their own.
  bool Persistent() const { return framebuffer_ != 0; }
  // True when the picture is kept at 16 bits per channel.
  bool Deep() const { return deep_; }

  // Directs drawing into the picture.
  void BeginDrawing();
  // Copies the picture to the back buffer, flushes and presents it.
  void Present(SDL_Window* window);

 private:
  // Makes the buffer with a colour texture of this internal format; false, with
  // nothing left behind, when the driver cannot draw into it.
  bool Attach(unsigned format);

  int width_;
  int height_;
  unsigned framebuffer_ = 0;
  unsigned texture_ = 0;
  bool deep_ = false;
};

}  // namespace veyora

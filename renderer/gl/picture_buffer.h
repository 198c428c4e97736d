#pragma once

#include <SDL.h>

#include <cstdint>
#include <optional>

#include "renderer/gl/picture_keeping.h"
#include "renderer/gl/view_geometry.h"

namespace veyora {

// The picture the fade and the sprites accumulate on, kept so that the trails never
// depend on what a swap happens to leave in the back buffer: in a framebuffer object
// of the window's size, copied to the back buffer before each swap, or in the back
// buffer itself where the driver keeps it across swaps. The way is chosen for the
// driver (see ChoosePictureKeeping), unless one is asked for.
// Darkens what is drawn into with the translucent black rectangle, its alpha
// `alpha`; with `stepDown`, one level is also taken off every channel. Texturing is
// off while it draws.
void DrawFade(const FadeExtents& extents, float alpha, bool stepDown = false);

class PictureBuffer {
 public:
  // Needs the window's context current; may swap the window's buffers a few times
  // to learn whether the back buffer is kept. The picture starts black.
  PictureBuffer(SDL_Window* window, int width, int height,
                std::optional<PictureKeeping> wanted = std::nullopt);
  ~PictureBuffer();
  PictureBuffer(const PictureBuffer&) = delete;
  PictureBuffer& operator=(const PictureBuffer&) = delete;

  PictureKeeping Keeping() const { return keeping_; }
  // True when the fade takes every pixel down to true black.
  bool FadesToBlack() const { return keeping_ == PictureKeeping::DeepBuffer || stepsDown_; }

  // Directs drawing into the picture.
  void BeginDrawing();
  // Darkens the picture with the translucent black rectangle, stepping it down to
  // black on the frames that do so where the picture is 8 bits deep.
  void Fade(const FadeExtents& extents, float alpha);
  // Shows the picture: copies it to the back buffer where it is kept elsewhere,
  // flushes and swaps.
  void Present();

 private:
  // Makes the buffer with a colour texture of this internal format; false, with
  // nothing left behind, when the driver cannot draw into it.
  bool Attach(unsigned format);

  SDL_Window* window_;
  int width_;
  int height_;
  PictureKeeping keeping_ = PictureKeeping::BackBuffer;
  bool stepsDown_ = false;
  std::uint32_t fades_ = 0;
  unsigned framebuffer_ = 0;
  unsigned texture_ = 0;
};

}  // namespace veyora

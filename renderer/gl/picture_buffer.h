#pragma once

#include <SDL.h>

#include <cstdint>
#include <deque>
#include <optional>
#include <vector>

#include "renderer/gl/fade_region.h"
#include "renderer/gl/frame_presenter.h"
#include "renderer/gl/picture_keeping.h"
#include "renderer/gl/view_geometry.h"

namespace veyora {

// The picture the fade and the sprites accumulate on, kept so that the trails never
// depend on what a swap happens to leave in the back buffer: in a framebuffer object
// of the window's size, copied to the back buffer before each swap, or in the back
// buffer itself where the driver keeps it across swaps. The way is chosen for the
// driver (see ChoosePictureKeeping), unless one is asked for. Only the parts where
// the picture can still change are faded and shown (see FadeRegion).
// Darkens what is drawn into with the translucent black rectangle, its alpha
// `alpha`, within each of `within` (all of the view without it); with `stepDown`,
// one level is also taken off every channel. Texturing is off while it draws.
void DrawFade(const FadeExtents& extents, float alpha, bool stepDown = false,
              const std::vector<PixelRect>* within = nullptr);

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

  // The parts of the picture that can still change; none before the first fade.
  const FadeRegion* Region() const { return region_ ? &*region_ : nullptr; }

  // Directs drawing into the picture.
  void BeginDrawing();
  // Starts a frame: darkens the parts of the picture that can still change with the
  // translucent black rectangle, stepping them down to black on the frames that do
  // so where the picture is 8 bits deep.
  void Fade(const FadeExtents& extents, float alpha);
  // A sprite of this frame is drawn at (x, y, z) with this half-size: where it
  // lands, the picture changes and is faded again in the frames that follow.
  void NoteSprite(float x, float y, float z, float halfSize);
  // Shows the picture: copies the parts the back buffer lacks to it where the
  // picture is kept elsewhere, flushes and presents the parts that changed.
  void Present(FramePresenter& presenter);
  // Shows the picture with a swap of the whole window.
  void Present();

 private:
  // Makes the buffer with a colour texture of this internal format; false, with
  // nothing left behind, when the driver cannot draw into it.
  bool Attach(unsigned format);
  // What the back buffer lacks of the picture, when it holds the picture shown
  // `age` frames ago and `changed` is what changed since the last frame.
  std::vector<PixelRect> MissingFromBackBuffer(int age,
                                               const std::vector<PixelRect>& changed) const;

  SDL_Window* window_;
  int width_;
  int height_;
  PictureKeeping keeping_ = PictureKeeping::BackBuffer;
  bool stepsDown_ = false;
  bool softwareRasterizer_ = false;
  std::uint32_t fades_ = 0;
  std::optional<FadeRegion> region_;
  // What changed in each of the last few frames shown, the newest first.
  std::deque<std::vector<PixelRect>> shownChanges_;
  SwapPresenter swap_;
  unsigned framebuffer_ = 0;
  unsigned texture_ = 0;
};

}  // namespace veyora

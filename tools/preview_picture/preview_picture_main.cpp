// Renders the glow scene off screen with the renderer's own scene and OpenGL code,
// lets it run for a number of frames, and saves the last frame, scaled down, as the
// preview window's picture.
//
//   veyora_preview_picture OUTPUT.jpg [FRAMES [SEED]]
//
// Needs an X display with GLX (Xvfb will do); the window stays hidden.
#include <GL/gl.h>
#include <SDL.h>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "renderer/gl/gl_setup.h"
#include "renderer/gl/gl_sprite_sink.h"
#include "renderer/gl/picture_buffer.h"
#include "renderer/gl/render_frame.h"
#include "renderer/gl/view_geometry.h"
#include "renderer/scene/glow_scene.h"
#include "tools/preview_picture/frame_picture.h"

namespace {

// Four times the picture's size, so the scaled picture is smooth and the sprites
// keep the proportions they have on a screen.
constexpr int kFrameScale = 4;
constexpr int kDefaultFrames = 400;
// The seed of the picture kept in the resources.
constexpr unsigned kDefaultSeed = 4;
constexpr int kJpegQuality = 95;

int Fail(const char* what) {
  std::fprintf(stderr, "veyora_preview_picture: %s: %s\n", what, SDL_GetError());
  return 1;
}

// Renders `frames` frames of a scene seeded with `seed` and reads the last one back.
bool RenderScene(SDL_Window* window, int width, int height, int frames, unsigned seed,
                 std::vector<std::uint8_t>& rgbRows) {
  const veyora::SceneParameters parameters;
  SDL_GLContext context =
      veyora::InitGL(window, width, height, veyora::SpriteHalfSize(parameters.SpriteSize));
  if (!context) return false;
  SDL_GL_SetSwapInterval(0);
  {
    // The exact picture, whatever the driver would get for the screen.
    veyora::PictureBuffer picture(window, width, height, veyora::PictureKeeping::DeepBuffer);
    veyora::GlowScene scene = veyora::CreateScene(parameters, seed);
    veyora::GlSpriteSink sink;
    const veyora::FrameTargets targets{picture,
                                       veyora::FadeRectangle(static_cast<double>(width) / height),
                                       veyora::FadeAlpha(parameters.FadeStrength)};
    for (int i = 0; i < frames; ++i) veyora::RenderFrame(scene, sink, targets);
    // Reads the kept picture itself, not whatever a swap left in the back buffer.
    picture.BeginDrawing();
    if (picture.Keeping() == veyora::PictureKeeping::BackBuffer) glReadBuffer(GL_BACK);
    rgbRows.assign(static_cast<std::size_t>(width) * height * 3, 0);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glReadPixels(0, 0, width, height, GL_RGB, GL_UNSIGNED_BYTE, rgbRows.data());
  }
  veyora::ShutdownGL(window, context);
  return true;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 2 || argc > 4) {
    std::fprintf(stderr, "usage: %s OUTPUT.jpg [FRAMES [SEED]]\n", argv[0]);
    return 2;
  }
  const QString output = QString::fromLocal8Bit(argv[1]);
  const int frames = argc > 2 ? std::atoi(argv[2]) : kDefaultFrames;
  const unsigned seed =
      argc > 3 ? static_cast<unsigned>(std::strtoul(argv[3], nullptr, 10)) : kDefaultSeed;
  if (frames < 1) {
    std::fprintf(stderr, "veyora_preview_picture: FRAMES must be at least 1\n");
    return 2;
  }

  if (SDL_Init(SDL_INIT_VIDEO) != 0) return Fail("cannot start the video subsystem");
  SDL_GL_SetAttribute(SDL_GL_DOUBLEBUFFER, 1);
  SDL_GL_SetAttribute(SDL_GL_RED_SIZE, 8);
  SDL_GL_SetAttribute(SDL_GL_GREEN_SIZE, 8);
  SDL_GL_SetAttribute(SDL_GL_BLUE_SIZE, 8);
  SDL_GL_SetAttribute(SDL_GL_DEPTH_SIZE, 24);
  const int width = kPreviewPictureWidth * kFrameScale;
  const int height = kPreviewPictureHeight * kFrameScale;
  SDL_Window* window = SDL_CreateWindow("veyora_preview_picture", 0, 0, width, height,
                                        SDL_WINDOW_OPENGL | SDL_WINDOW_HIDDEN);
  if (!window) return Fail("cannot create the window");

  std::vector<std::uint8_t> rgbRows;
  const bool rendered = RenderScene(window, width, height, frames, seed, rgbRows);
  SDL_DestroyWindow(window);
  SDL_Quit();
  if (!rendered) return Fail("cannot create an OpenGL context");

  const QString error =
      SaveBaselineJpeg(PictureFromFrame(rgbRows, width, height), output, kJpegQuality);
  if (!error.isEmpty()) {
    std::fprintf(stderr, "veyora_preview_picture: cannot write %s: %s\n", argv[1],
                 error.toLocal8Bit().constData());
    return 1;
  }
  return 0;
}

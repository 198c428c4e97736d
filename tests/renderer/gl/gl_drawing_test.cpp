#include <gtest/gtest.h>

#include <GL/gl.h>
#include <SDL.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>

#include <algorithm>
#include <cstdlib>
#include <memory>
#include <vector>

#include "renderer/gl/gl_setup.h"
#include "renderer/gl/gl_sprite_sink.h"
#include "renderer/gl/picture_buffer.h"
#include "renderer/gl/render_frame.h"
#include "renderer/gl/view_geometry.h"
#include "renderer/scene/glow_scene.h"
#include "tests/renderer/screen_pixels.h"
#include "tests/renderer/trail_comparison.h"
#include "tests/support/xvfb_server.h"

namespace veyora {
namespace {

// A window with the renderer's OpenGL set-up on a private virtual display.
class GlDrawingTest : public ::testing::Test {
 protected:
  void Open(int width, int height, float spriteHalfSize = 0.1f) {
    width_ = width;
    height_ = height;
    server_ = std::make_unique<testsupport::XvfbServer>(width, height);
    ASSERT_TRUE(server_->Running());
    setenv("DISPLAY", server_->Display().c_str(), 1);
    setenv("LIBGL_ALWAYS_SOFTWARE", "1", 1);
    ASSERT_EQ(SDL_Init(SDL_INIT_VIDEO), 0) << SDL_GetError();
    window_ =
        SDL_CreateWindow("gl test", 0, 0, width, height, SDL_WINDOW_OPENGL | SDL_WINDOW_BORDERLESS);
    ASSERT_TRUE(window_) << SDL_GetError();
    context_ = InitGL(window_, width, height, spriteHalfSize);
    ASSERT_TRUE(context_) << SDL_GetError();
    x_ = XOpenDisplay(server_->Display().c_str());
    ASSERT_TRUE(x_);
  }

  void TearDown() override {
    if (x_) XCloseDisplay(x_);
    if (context_) ShutdownGL(window_, context_);
    if (window_) SDL_DestroyWindow(window_);
    SDL_Quit();
  }

  // The screen's pixel as 0xRRGGBB.
  unsigned long PixelAt(int x, int y) {
    XImage* image = XGetImage(x_, DefaultRootWindow(x_), x, y, 1, 1, AllPlanes, ZPixmap);
    if (!image) return 0xDEAD;
    const unsigned long pixel = XGetPixel(image, 0, 0) & 0xFFFFFF;
    XDestroyImage(image);
    return pixel;
  }

  std::vector<unsigned long> ScreenPixels() {
    return testing::ScreenPixels(x_, {0, 0, width_, height_});
  }

  void FillWhite() {
    glClearColor(1, 1, 1, 1);
    glClear(GL_COLOR_BUFFER_BIT);
  }

  std::unique_ptr<testsupport::XvfbServer> server_;
  SDL_Window* window_ = nullptr;
  SDL_GLContext context_ = nullptr;
  Display* x_ = nullptr;
  int width_ = 0;
  int height_ = 0;
};

// Every way of keeping the picture, each tried on its own.
constexpr PictureKeeping kKeepings[] = {PictureKeeping::BackBuffer, PictureKeeping::StandardBuffer,
                                        PictureKeeping::DeepBuffer};

TEST_F(GlDrawingTest, PictureInABufferOfItsOwnSurvivesABackBufferLostAfterTheSwap) {
  Open(320, 240);
  for (PictureKeeping keeping : {PictureKeeping::StandardBuffer, PictureKeeping::DeepBuffer}) {
    SCOPED_TRACE(static_cast<int>(keeping));
    PictureBuffer picture(window_, width_, height_, keeping);
    ASSERT_EQ(picture.Keeping(), keeping);
    picture.BeginDrawing();
    glClearColor(1, 0, 0, 1);
    glClear(GL_COLOR_BUFFER_BIT);
    picture.Present();
    // A driver that hands back a different back buffer: here, one painted green.
    glClearColor(0, 1, 0, 1);
    glClear(GL_COLOR_BUFFER_BIT);
    picture.BeginDrawing();
    picture.Present();
    glFinish();
    EXPECT_EQ(PixelAt(160, 120), 0xFF0000u);
    EXPECT_EQ(PixelAt(0, 0), 0xFF0000u);
  }
}

TEST_F(GlDrawingTest, SoftwareRasterizerKeepsThePictureInTheBackBufferXvfbKeeps) {
  Open(320, 240);
  PictureBuffer picture(window_, width_, height_);
  EXPECT_EQ(picture.Keeping(), PictureKeeping::BackBuffer);
  EXPECT_TRUE(picture.FadesToBlack());
}

TEST_F(GlDrawingTest, FadeDarkensTheWholeOfAWideScreen) {
  Open(960, 400);
  const double aspect = 960.0 / 400.0;
  PictureBuffer picture(window_, width_, height_, PictureKeeping::BackBuffer);
  picture.BeginDrawing();
  FillWhite();
  for (int i = 0; i < 30; ++i) DrawFade(FadeRectangle(aspect), 0.5f);
  picture.Present();
  glFinish();
  for (int x : {0, 2, 480, 957, 959}) {
    for (int y : {0, 200, 399}) EXPECT_EQ(PixelAt(x, y), 0u) << x << "," << y;
  }
}

TEST_F(GlDrawingTest, ASpriteDrawnOnceFadesToTrueBlackWithinTwoSecondsOfFrames) {
  Open(320, 240);
  for (PictureKeeping keeping : kKeepings) {
    SCOPED_TRACE(static_cast<int>(keeping));
    PictureBuffer picture(window_, width_, height_, keeping);
    picture.BeginDrawing();
    glLoadIdentity();
    BeginSpritePass();
    GlSpriteSink().DrawSprite({1.0f, 1.0f, 1.0f}, 0.0f, 0.0f, 0.0f, 4.0f);
    picture.Present();
    glFinish();
    ASSERT_GT(PixelAt(160, 120) & 0xFF, 200u);
    constexpr int kTwoSecondsOfFrames = 120;
    for (int i = 0; i < kTwoSecondsOfFrames; ++i) {
      picture.BeginDrawing();
      picture.Fade(FadeRectangle(double(width_) / height_),
                   FadeAlpha(SceneParameters{}.FadeStrength));
      picture.Present();
    }
    glFinish();
    const auto pixels = ScreenPixels();
    ASSERT_EQ(pixels.size(), 320u * 240u);
    EXPECT_EQ(std::count(pixels.begin(), pixels.end(), 0ul), static_cast<long>(pixels.size()));
  }
}

// The 8-bit picture whose fade steps down to black keeps the trails of the exact
// deep picture: after the same frames, nearly every channel above level 32 on
// either is within four levels on the other.
TEST_F(GlDrawingTest, SteppedEightBitTrailsStayWithinFourLevelsOfTheDeepPicture) {
  const SceneParameters parameters;
  Open(480, 270, SpriteHalfSize(parameters.SpriteSize));
  PictureBuffer deep(window_, width_, height_, PictureKeeping::DeepBuffer);
  PictureBuffer stepped(window_, width_, height_, PictureKeeping::StandardBuffer);
  ASSERT_EQ(deep.Keeping(), PictureKeeping::DeepBuffer);
  ASSERT_EQ(stepped.Keeping(), PictureKeeping::StandardBuffer);
  ASSERT_TRUE(stepped.FadesToBlack());
  const FadeExtents fade = FadeRectangle(double(width_) / height_);
  const float alpha = FadeAlpha(parameters.FadeStrength);
  GlowScene deepScene = CreateScene(parameters, 2024), steppedScene = deepScene;
  GlSpriteSink sink;
  for (int frame = 0; frame < 600; ++frame) {
    DrawFrame(deepScene, sink, {deep, fade, alpha});
    DrawFrame(steppedScene, sink, {stepped, fade, alpha});
  }
  const testing::TrailComparison trails =
      testing::CompareTrails(testing::PictureBytes(deep, width_, height_),
                             testing::PictureBytes(stepped, width_, height_));
  ASSERT_GT(trails.bright, width_ * height_ * 3 / 100) << "too few trails to compare";
  EXPECT_GE(trails.ShareWithinFour(), 0.995) << trails.withinFour << " of " << trails.bright;
}

}  // namespace
}  // namespace veyora

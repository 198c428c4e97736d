#include <gtest/gtest.h>

#include <GL/gl.h>
#include <SDL.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>

#include <algorithm>
#include <cstdlib>
#include <memory>
#include <vector>

#include "renderer/gl/frame_presenter.h"
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
    const FadeExtents fade = FadeRectangle(double(width_) / height_);
    const float alpha = FadeAlpha(SceneParameters{}.FadeStrength);
    picture.BeginDrawing();
    glLoadIdentity();
    picture.Fade(fade, alpha);
    BeginSpritePass();
    GlSpriteSink().DrawSprite({1.0f, 1.0f, 1.0f}, 0.0f, 0.0f, 0.0f, 4.0f);
    picture.NoteSprite(0.0f, 0.0f, 0.0f, 0.4f);
    picture.Present();
    glFinish();
    ASSERT_GT(PixelAt(160, 120) & 0xFF, 200u);
    constexpr int kTwoSecondsOfFrames = 120;
    for (int i = 0; i < kTwoSecondsOfFrames; ++i) {
      picture.BeginDrawing();
      picture.Fade(fade, alpha);
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

// The picture as 16-bit RGB channels, read from the buffer it is kept in.
std::vector<std::uint16_t> DeepPictureChannels(PictureBuffer& picture, int width, int height) {
  std::vector<std::uint16_t> channels(static_cast<std::size_t>(width) * height * 3);
  picture.BeginDrawing();
  glPixelStorei(GL_PACK_ALIGNMENT, 1);
  glReadPixels(0, 0, width, height, GL_RGB, GL_UNSIGNED_SHORT, channels.data());
  return channels;
}

// A frame as drawn before the fade kept to where the picture can still change: the
// fade rectangle over the whole view.
void DrawFrameFadingEverything(GlowScene& scene, PictureBuffer& picture, const FadeExtents& fade,
                               float alpha, std::uint32_t frame) {
  picture.BeginDrawing();
  glMatrixMode(GL_MODELVIEW);
  glLoadIdentity();
  const bool stepDown = picture.Keeping() != PictureKeeping::DeepBuffer && picture.FadesToBlack();
  DrawFade(fade, alpha, stepDown && FadeStepsDown(frame));
  BeginSpritePass();
  GlSpriteSink sink;
  AdvanceScene(scene, sink);
  glFlush();
}

// Fading only where sprites drew within the frames the fade takes to settle leaves
// the same picture, to the bit, as fading the whole view every frame: on the 8-bit
// picture in the back buffer and in a buffer of its own, stepping down, and on the
// 16-bit one. Long enough for the trails to come and go.
TEST_F(GlDrawingTest, FadingOnlyWhereThePictureCanChangeLeavesTheSamePicture) {
  const SceneParameters parameters;
  Open(480, 270, SpriteHalfSize(parameters.SpriteSize));
  const FadeExtents fade = FadeRectangle(double(width_) / height_);
  const float alpha = FadeAlpha(parameters.FadeStrength);
  struct Case {
    PictureKeeping kept, reference;
  };
  for (const Case c : {Case{PictureKeeping::BackBuffer, PictureKeeping::StandardBuffer},
                       Case{PictureKeeping::StandardBuffer, PictureKeeping::StandardBuffer},
                       Case{PictureKeeping::DeepBuffer, PictureKeeping::DeepBuffer}}) {
    SCOPED_TRACE(static_cast<int>(c.kept));
    PictureBuffer reference(window_, width_, height_, c.reference);
    PictureBuffer picture(window_, width_, height_, c.kept);
    ASSERT_EQ(reference.Keeping(), c.reference);
    ASSERT_EQ(picture.Keeping(), c.kept);
    ASSERT_TRUE(picture.FadesToBlack());
    GlowScene referenceScene = CreateScene(parameters, 1999), scene = referenceScene;
    GlSpriteSink sink;
    double leastFaded = 1.0;
    constexpr int kFrames = 900;
    for (int frame = 0; frame < kFrames; ++frame) {
      DrawFrameFadingEverything(referenceScene, reference, fade, alpha, frame);
      DrawFrame(scene, sink, {picture, fade, alpha});
      leastFaded = std::min(leastFaded, picture.Region()->FadedShare());
    }
    if (c.kept == PictureKeeping::DeepBuffer) {
      EXPECT_EQ(DeepPictureChannels(picture, width_, height_),
                DeepPictureChannels(reference, width_, height_));
    } else {
      EXPECT_EQ(testing::PictureBytes(picture, width_, height_),
                testing::PictureBytes(reference, width_, height_));
    }
    // A fade of the whole view every frame would pass the rest.
    EXPECT_LT(leastFaded, 0.5);
  }
}

// A window system whose back buffer is never swapped away: it holds the last frame.
class KeptBackBuffer final : public FramePresenter {
 public:
  int BackBufferAge(SDL_Window* /*window*/) override { return 1; }
  void Present(SDL_Window* /*window*/, const std::vector<PixelRect>& /*changed*/) override {}
};

std::vector<std::uint8_t> BackBufferBytes(int width, int height) {
  std::vector<std::uint8_t> bytes(static_cast<std::size_t>(width) * height * 3);
  glReadBuffer(GL_BACK);
  glPixelStorei(GL_PACK_ALIGNMENT, 1);
  glReadPixels(0, 0, width, height, GL_RGB, GL_UNSIGNED_BYTE, bytes.data());
  return bytes;
}

// A picture kept in a buffer of its own and copied to the back buffer only where
// it changed still arrives there whole.
TEST_F(GlDrawingTest, APictureCopiedOnlyWhereItChangedArrivesWhole) {
  const SceneParameters parameters;
  Open(320, 180, SpriteHalfSize(parameters.SpriteSize));
  const FadeExtents fade = FadeRectangle(double(width_) / height_);
  const float alpha = FadeAlpha(parameters.FadeStrength);
  for (PictureKeeping keeping : {PictureKeeping::StandardBuffer, PictureKeeping::DeepBuffer}) {
    SCOPED_TRACE(static_cast<int>(keeping));
    PictureBuffer picture(window_, width_, height_, keeping);
    GlowScene scene = CreateScene(parameters, 7);
    GlSpriteSink sink;
    KeptBackBuffer presenter;
    for (int frame = 0; frame < 240; ++frame) {
      DrawFrame(scene, sink, {picture, fade, alpha});
      picture.Present(presenter);
    }
    glFinish();
    const std::vector<std::uint8_t> shown = BackBufferBytes(width_, height_);
    EXPECT_EQ(shown, testing::PictureBytes(picture, width_, height_));
  }
}

}  // namespace
}  // namespace veyora

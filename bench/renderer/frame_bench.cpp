// Prints the renderer's frame cost at 1920 x 1080 without pacing, beside a minimal
// loop that draws the same fade and 200 textured sprites with no scene logic, and
// with the picture kept deep or at 8 bits with its fade stepped to black, whose
// bright trails it compares with the deep picture's; the scene step alone on the CPU; the real
// program's peak memory beside a bare SDL OpenGL program's; and its CPU use while drawing and while
// the X server's screen saver is on.
#include <GL/gl.h>
#include <SDL.h>
#include <X11/extensions/scrnsaver.h>
#include <signal.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <functional>
#include <iterator>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <thread>
#include <vector>

#include "platform/x_connection.h"
#include "renderer/gl/gl_setup.h"
#include "renderer/gl/gl_sprite_sink.h"
#include "renderer/gl/picture_buffer.h"
#include "renderer/gl/render_frame.h"
#include "renderer/gl/view_geometry.h"
#include "renderer/scene/glow_scene.h"
#include "renderer/x11/glx_pixel_formats.h"
#include "tests/renderer/trail_comparison.h"
#include "tests/support/child_process.h"
#include "tests/support/xvfb_server.h"

namespace {

using veyora::GlowScene;
using veyora::SceneParameters;

constexpr int kWidth = 1920;
constexpr int kHeight = 1080;
constexpr int kFrames = 600;
constexpr int kRounds = 10;  // the two loops take turns, kFrames / kRounds frames at a time

double Seconds() {
  return std::chrono::duration<double>(std::chrono::steady_clock::now().time_since_epoch()).count();
}

struct Sprite {
  std::array<float, 3> rgb;
  float x, y, z, scale;
};

// Keeps the sprites of one frame, to replay them without the scene.
class CapturingSink final : public veyora::SpriteSink {
 public:
  void DrawSprite(const std::array<float, 3>& rgb, float x, float y, float z,
                  float scale) override {
    sprites.push_back({rgb, x, y, z, scale});
  }
  std::vector<Sprite> sprites;
};

// Sums what it is given, so the compiler cannot drop the scene step.
class ChecksumSink final : public veyora::SpriteSink {
 public:
  void DrawSprite(const std::array<float, 3>& rgb, float x, float y, float z,
                  float scale) override {
    sum += rgb[0] + rgb[1] + rgb[2] + x + y + z + scale;
  }
  double sum = 0.0;
};

void PumpEvents() {
  SDL_Event event;
  while (SDL_PollEvent(&event)) {
  }
}

double SceneStepMicroseconds() {
  GlowScene scene = veyora::CreateScene(SceneParameters{}, 12345);
  ChecksumSink sink;
  constexpr int kSteps = 200000;
  const double start = Seconds();
  for (int i = 0; i < kSteps; ++i) veyora::AdvanceScene(scene, sink);
  const double elapsed = Seconds() - start;
  std::printf("  (checksum %.3g)\n", sink.sum);
  return elapsed / kSteps * 1e6;
}

// The bright trails of the stepped 8-bit picture beside those of the deep (exact)
// picture after the same frames: of the channels above level 32 on either, the share
// within four levels on the other, and the largest difference; and the share of
// pixels black on the deep picture that are black on the 8-bit one too.
void ReportBrightTrails(veyora::PictureBuffer& deep, veyora::PictureBuffer& stepped) {
  const std::vector<std::uint8_t> now = veyora::testing::PictureBytes(deep, kWidth, kHeight),
                                  was = veyora::testing::PictureBytes(stepped, kWidth, kHeight);
  const veyora::testing::TrailComparison trails = veyora::testing::CompareTrails(now, was);
  long black = 0, bothBlack = 0;
  for (std::size_t i = 0; i + 2 < now.size(); i += 3) {
    if (now[i] || now[i + 1] || now[i + 2]) continue;
    ++black;
    bothBlack += !was[i] && !was[i + 1] && !was[i + 2];
  }
  std::printf(
      "  bright channels (above 32): %ld, the stepped 8-bit picture within 4 levels of "
      "the deep one: %.2f %%, largest difference %d\n",
      trails.bright, 100.0 * trails.ShareWithinFour(), trails.largest);
  std::printf(
      "  pixels black on the deep picture: %.1f %%, of them black on the stepped one: "
      "%.2f %%\n",
      100.0 * black / (now.size() / 3), black ? 100.0 * bothBlack / black : 0.0);
}

const char* KeepingName(veyora::PictureKeeping keeping) {
  switch (keeping) {
    case veyora::PictureKeeping::BackBuffer:
      return "in the back buffer, 8 bits, fade stepped to black";
    case veyora::PictureKeeping::StandardBuffer:
      return "in a buffer of its own, 8 bits, fade stepped to black";
    case veyora::PictureKeeping::DeepBuffer:
      return "in a buffer of its own, 16 bits";
  }
  return "?";
}

// A program started on the display that runs until it is ended.
std::unique_ptr<testsupport::ChildProcess> StartProgram(const std::string& display,
                                                        const std::string& path) {
  return std::make_unique<testsupport::ChildProcess>(
      path, std::vector<std::string>{},
      std::map<std::string, std::string>{{"DISPLAY", display}, {"LIBGL_ALWAYS_SOFTWARE", "1"}});
}

// Ends the program with SIGTERM and returns its exit status (-999 if it hangs).
int EndProgram(testsupport::ChildProcess& program) {
  program.Signal(SIGTERM);
  const auto status = program.WaitExit(5000);
  return status ? *status : -999;
}

// Peak resident memory of a program after 8 s of running, in MiB.
double PeakMemoryMiB(const std::string& display, const std::string& path) {
  auto program = StartProgram(display, path);
  std::this_thread::sleep_for(std::chrono::seconds(8));
  const double peak = testsupport::ProcessStatusKiB(program->Pid(), "VmHWM") / 1024.0;
  EndProgram(*program);
  return peak;
}

void ReportProgramMemory(const std::string& display) {
  const double renderer = PeakMemoryMiB(display, testsupport::RendererPath());
  const double bare = PeakMemoryMiB(display, BARE_GL_PROGRAM);
  std::printf("peak resident after 8 s at %dx%d:\n", kWidth, kHeight);
  std::printf("  renderer program:  %.1f MiB\n", renderer);
  std::printf("  bare SDL GL program: %.1f MiB\n", bare);
  std::printf("  ratio:             %.3f (goal <= 1.25)\n", renderer / bare);
}

// The share of one core the process uses over the next `seconds`, in percent.
double CpuPercentOver(pid_t pid, int seconds) {
  const double before = testsupport::ProcessCpuSeconds(pid);
  std::this_thread::sleep_for(std::chrono::seconds(seconds));
  return (testsupport::ProcessCpuSeconds(pid) - before) / seconds * 100.0;
}

// The renderer program's CPU use while it draws, and while the X server's own
// screen saver is on (forced on, as `xset s activate` does).
void ReportProgramCpu(const std::string& display) {
  Display* x = XOpenDisplay(display.c_str());
  if (!x) return;
  auto renderer = StartProgram(display, testsupport::RendererPath());
  std::this_thread::sleep_for(std::chrono::seconds(3));
  const double drawing = CpuPercentOver(renderer->Pid(), 10);
  XForceScreenSaver(x, ScreenSaverActive);
  XSync(x, False);
  std::this_thread::sleep_for(std::chrono::seconds(1));
  const double saverOn = CpuPercentOver(renderer->Pid(), 10);
  XForceScreenSaver(x, ScreenSaverReset);
  XSync(x, False);
  std::printf("renderer program's CPU use, share of one core over 10 s:\n");
  std::printf("  drawing:                %.1f %%\n", drawing);
  std::printf("  server's saver on:      %.2f %% (goal < 1 %%)\n", saverOn);
  std::printf("  exit status:            %d\n", EndProgram(*renderer));
  XCloseDisplay(x);
}

}  // namespace

int main() {
  std::unique_ptr<testsupport::XvfbServer> server;
  const char* given = std::getenv("DISPLAY");
  std::string display = given ? given : "";
  if (display.empty()) {
    server = std::make_unique<testsupport::XvfbServer>(kWidth, kHeight);
    if (!server->Running()) {
      std::fprintf(stderr, "cannot start Xvfb\n");
      return 1;
    }
    display = server->Display();
    setenv("DISPLAY", display.c_str(), 1);
    setenv("LIBGL_ALWAYS_SOFTWARE", "1", 1);
  }

  std::printf("scene step alone: %.2f us per frame\n", SceneStepMicroseconds());

  if (SDL_Init(SDL_INIT_VIDEO) != 0) {
    std::fprintf(stderr, "SDL: %s\n", SDL_GetError());
    return 1;
  }
  veyora::RequestPixelFormat(platform::SharedDisplay());
  SDL_Window* window = SDL_CreateWindow("renderer benchmark", 0, 0, kWidth, kHeight,
                                        SDL_WINDOW_OPENGL | SDL_WINDOW_BORDERLESS);
  if (!window) {
    std::fprintf(stderr, "SDL: %s\n", SDL_GetError());
    return 1;
  }
  const SceneParameters parameters;
  SDL_GLContext context =
      veyora::InitGL(window, kWidth, kHeight, veyora::SpriteHalfSize(parameters.SpriteSize));
  SDL_GL_SetSwapInterval(0);  // no vertical sync, no pacing: raw frame cost
  std::printf("GL renderer: %s\n", reinterpret_cast<const char*>(glGetString(GL_RENDERER)));
  {
    // The picture as this driver gets it; the deep picture, as exact as the renderer
    // can keep it; and the 8-bit picture with its fade stepped to black, which is
    // what a software rasterizer gets, kept in a buffer of its own here.
    veyora::PictureBuffer picture(window, kWidth, kHeight);
    std::printf("picture kept: %s\n", KeepingName(picture.Keeping()));
    const veyora::FrameTargets targets{picture, veyora::FadeRectangle(double(kWidth) / kHeight),
                                       veyora::FadeAlpha(parameters.FadeStrength)};
    veyora::PictureBuffer deepPicture(window, kWidth, kHeight, veyora::PictureKeeping::DeepBuffer);
    const veyora::FrameTargets deepTargets{deepPicture, targets.fade, targets.fadeAlpha};
    veyora::PictureBuffer steppedPicture(window, kWidth, kHeight,
                                         veyora::PictureKeeping::StandardBuffer);
    const veyora::FrameTargets steppedTargets{steppedPicture, targets.fade, targets.fadeAlpha};
    GlowScene scene = veyora::CreateScene(parameters, 12345);
    veyora::GlSpriteSink glSink;

    // Warm up the scene; then record the sprites of the frames to come, so the
    // minimal loop draws exactly what the renderer's frames draw.
    constexpr int kWarmUpFrames = 300;
    GlowScene recorder = veyora::CreateScene(parameters, 12345);
    CapturingSink discarded;
    for (int i = 0; i < kWarmUpFrames; ++i) {
      veyora::RenderFrame(scene, glSink, targets);
      veyora::AdvanceScene(recorder, discarded);
    }
    std::vector<CapturingSink> frames(kFrames);
    for (CapturingSink& frame : frames) veyora::AdvanceScene(recorder, frame);

    // Every renderer loop draws the frames the minimal loop replays; the deep and the
    // stepped picture see the same frames.
    GlowScene deepScene = scene, steppedScene = scene;
    auto realLoop = [&](GlowScene& of, const veyora::FrameTargets& on, int frames) {
      const double start = Seconds();
      for (int i = 0; i < frames; ++i) {
        PumpEvents();
        veyora::RenderFrame(of, glSink, on);
      }
      glFinish();
      return Seconds() - start;
    };
    auto minimalLoop = [&](int first, int count) {
      const double start = Seconds();
      for (int i = first; i < first + count; ++i) {
        PumpEvents();
        picture.BeginDrawing();
        glLoadIdentity();
        veyora::DrawFade(targets.fade, targets.fadeAlpha);
        veyora::BeginSpritePass();
        for (const Sprite& s : frames[i].sprites) glSink.DrawSprite(s.rgb, s.x, s.y, s.z, s.scale);
        picture.Present();
      }
      glFinish();
      return Seconds() - start;
    };

    double real = 0.0, minimal = 0.0, deep = 0.0, stepped = 0.0;
    constexpr int kRoundFrames = kFrames / kRounds;
    // The X server finishes the last swaps of a run while the next run starts, so
    // the loops take turns at going first to share that cost fairly.
    const std::function<void(int)> loops[] = {
        [&](int round) { minimal += minimalLoop(round * kRoundFrames, kRoundFrames); },
        [&](int) { real += realLoop(scene, targets, kRoundFrames); },
        [&](int) { deep += realLoop(deepScene, deepTargets, kRoundFrames); },
        [&](int) { stepped += realLoop(steppedScene, steppedTargets, kRoundFrames); },
    };
    for (int round = 0; round < kRounds; ++round) {
      for (int turn = 0; turn < 4; ++turn) loops[(round + turn) % 4](round);
    }
    const double realMs = real / kFrames * 1e3, minimalMs = minimal / kFrames * 1e3;
    std::printf("%d frames at %dx%d, no pacing:\n", kFrames, kWidth, kHeight);
    std::printf("  renderer frame: %.3f ms per frame\n", realMs);
    std::printf("  minimal loop:   %.3f ms per frame\n", minimalMs);
    std::printf("  ratio:          %.3f (goal <= 1.15)\n", realMs / minimalMs);
    std::printf("  renderer frame on the deep picture: %.3f ms per frame\n", deep / kFrames * 1e3);
    std::printf("  renderer frame on the stepped 8-bit picture in a buffer: %.3f ms per frame\n",
                stepped / kFrames * 1e3);
    ReportBrightTrails(deepPicture, steppedPicture);
  }
  veyora::ShutdownGL(window, context);
  SDL_DestroyWindow(window);
  SDL_Quit();
  std::printf("benchmark process peak resident: %.1f MiB\n",
              testsupport::ProcessStatusKiB(getpid(), "VmHWM") / 1024.0);

  ReportProgramMemory(display);
  ReportProgramCpu(display);
  return 0;
}

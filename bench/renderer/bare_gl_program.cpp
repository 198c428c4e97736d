// The yardstick for the renderer's cost: an SDL program that draws the same kind of
// picture as the renderer, straight into its window's back buffer and nothing more:
// the translucent black rectangle over the whole view, then 200 additive sprites from
// one display list (the renderer's projection, sprite square and soft round texture),
// about 60 frames a second on a steady schedule. No scene: the sprites move on a
// fixed curve, or replay frames recorded from the scene, one after the other and
// round again (`bare_gl_program WIDTH HEIGHT RECORDING [VIEWS]`: per frame, 200
// sprites of seven floats each, red, green, blue, x, y, z and scale). Covers the
// first display (with no size, or a size of 0 x 0), or a window of the given size
// at the screen's top left corner, split into VIEWS side by side views that each
// show a glow, as the renderer shows one on each monitor. Ends on SIGTERM (SDL's
// quit event).
#include <GL/gl.h>
#include <GL/glu.h>
#include <SDL.h>

#include <algorithm>
#include <array>
#include <chrono>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <thread>
#include <vector>

namespace {

constexpr int kTextureSize = 64;
constexpr int kSprites = 200;
constexpr float kSpriteHalfSize = 0.1f;
constexpr float kFadeAlpha = 0.08797f;
constexpr double kPeriod = 1.0 / 60.0;

void SetUpView(int left, int width, int height) {
  glViewport(left, 0, width, height);
  glMatrixMode(GL_PROJECTION);
  glLoadIdentity();
  gluPerspective(100.0, static_cast<double>(width) / height, 0.01, 200.0);
  glTranslatef(0.0f, 0.0f, -2.5f);
  glMatrixMode(GL_MODELVIEW);
  glLoadIdentity();
}

void MakeSpriteList() {
  std::array<std::uint8_t, kTextureSize * kTextureSize> texels{};
  for (int row = 0; row < kTextureSize; ++row) {
    for (int column = 0; column < kTextureSize; ++column) {
      const double a = (row - 32) / 32.0, b = (column - 32) / 32.0;
      const double c = std::clamp(1.0 - std::sqrt(a * a + b * b), 0.0, 1.0);
      texels[row * kTextureSize + column] = static_cast<std::uint8_t>(c * c * 255.0);
    }
  }
  glEnable(GL_TEXTURE_2D);
  glBindTexture(GL_TEXTURE_2D, 1);
  glTexEnvf(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_MODULATE);
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_LINEAR);
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR);
  glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
  glTexImage2D(GL_TEXTURE_2D, 0, 1, kTextureSize, kTextureSize, 0, GL_LUMINANCE, GL_UNSIGNED_BYTE,
               texels.data());
  const float s = kSpriteHalfSize;
  glNewList(1, GL_COMPILE);
  glBindTexture(GL_TEXTURE_2D, 1);
  glBegin(GL_TRIANGLES);
  glTexCoord2f(0, 0), glVertex3f(-s, -s, 0);
  glTexCoord2f(1, 0), glVertex3f(s, -s, 0);
  glTexCoord2f(1, 1), glVertex3f(s, s, 0);
  glTexCoord2f(0, 0), glVertex3f(-s, -s, 0);
  glTexCoord2f(1, 1), glVertex3f(s, s, 0);
  glTexCoord2f(0, 1), glVertex3f(-s, s, 0);
  glEnd();
  glEndList();
}

// Sprites recorded from the scene, seven floats each.
std::vector<float> ReadRecording(const char* path) {
  std::ifstream file(path, std::ios::binary);
  const std::vector<char> bytes((std::istreambuf_iterator<char>(file)), {});
  std::vector<float> floats(bytes.size() / sizeof(float));
  std::copy(bytes.begin(), bytes.begin() + floats.size() * sizeof(float),
            reinterpret_cast<char*>(floats.data()));
  return floats;
}

void DrawSprite(const float* sprite) {
  glColor3fv(sprite);
  glPushMatrix();
  glTranslatef(sprite[3], sprite[4], sprite[5]);
  if (sprite[6] != 1.0f) glScalef(sprite[6], sprite[6], sprite[6]);
  glCallList(1);
  glPopMatrix();
}

void DrawView(int frame, float fadeHalfWidth, const std::vector<float>& recording) {
  glLoadIdentity();
  glDisable(GL_TEXTURE_2D);
  glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
  glColor4f(0.0f, 0.0f, 0.0f, kFadeAlpha);
  glBegin(GL_TRIANGLE_STRIP);
  glVertex3f(-fadeHalfWidth, -4.0f, 0.0f);
  glVertex3f(fadeHalfWidth, -4.0f, 0.0f);
  glVertex3f(-fadeHalfWidth, 4.0f, 0.0f);
  glVertex3f(fadeHalfWidth, 4.0f, 0.0f);
  glEnd();
  glEnable(GL_TEXTURE_2D);
  glBlendFunc(GL_ONE, GL_ONE);
  constexpr std::size_t kFrameFloats = kSprites * 7;
  if (recording.size() >= kFrameFloats) {
    const std::size_t frames = recording.size() / kFrameFloats;
    const float* sprites = recording.data() + (frame % frames) * kFrameFloats;
    for (int i = 0; i < kSprites; ++i) DrawSprite(sprites + i * 7);
    return;
  }
  for (int i = 0; i < kSprites; ++i) {
    const float t = 0.05f * static_cast<float>(frame - kSprites + i);
    const float value = static_cast<float>(i + 1) / kSprites;
    glColor3f(value, 0.6f * value, 0.3f * value);
    glPushMatrix();
    glTranslatef(1.2f * std::cos(t), 0.9f * std::sin(1.7f * t), 0.8f * std::sin(0.6f * t));
    glCallList(1);
    glPopMatrix();
  }
}

}  // namespace

int main(int argc, char** argv) {
  if (SDL_Init(SDL_INIT_VIDEO) != 0) return 1;
  SDL_Rect at{};
  SDL_GetDisplayBounds(0, &at);
  Uint32 flags = SDL_WINDOW_OPENGL | SDL_WINDOW_BORDERLESS;
  const std::vector<float> recording = argc >= 4 ? ReadRecording(argv[3]) : std::vector<float>{};
  if (argc >= 3 && std::atoi(argv[1]) > 0 && std::atoi(argv[2]) > 0) {
    at = {0, 0, std::atoi(argv[1]), std::atoi(argv[2])};
  } else {
    flags |= SDL_WINDOW_FULLSCREEN_DESKTOP;
  }
  SDL_Window* window = SDL_CreateWindow("bare GL program", at.x, at.y, at.w, at.h, flags);
  if (!window) return 1;
  SDL_GLContext context = SDL_GL_CreateContext(window);
  SDL_GL_SetSwapInterval(1);
  glEnable(GL_CULL_FACE);
  glClearColor(0, 0, 0, 1);
  glClear(GL_COLOR_BUFFER_BIT);
  MakeSpriteList();
  glEnable(GL_BLEND);
  // Side by side views of a glow each, as the renderer shows one per monitor.
  const int views = argc >= 5 ? std::max(1, std::atoi(argv[4])) : 1;
  const int viewWidth = at.w / views;
  // Wide enough for a view at any aspect: 2.5 units away, 50 degrees either side.
  const float fadeHalfWidth = std::max(5.0f, 3.5f * static_cast<float>(viewWidth) / at.h);

  using Clock = std::chrono::steady_clock;
  const auto period =
      std::chrono::duration_cast<Clock::duration>(std::chrono::duration<double>(kPeriod));
  auto next = Clock::now();
  for (int frame = 0;; ++frame) {
    SDL_Event event;
    bool quit = false;
    while (SDL_PollEvent(&event)) quit = quit || event.type == SDL_QUIT;
    if (quit) break;
    for (int view = 0; view < views; ++view) {
      SetUpView(view * viewWidth, viewWidth, at.h);
      // Each view a different stretch of the recording.
      DrawView(frame + 997 * view, fadeHalfWidth, recording);
    }
    SDL_GL_SwapWindow(window);
    next += period;
    const auto now = Clock::now();
    if (now > next + period) next = now;  // fell behind: no catching up
    std::this_thread::sleep_until(next);
  }
  SDL_GL_DeleteContext(context);
  SDL_DestroyWindow(window);
  SDL_Quit();
  return 0;
}

// The yardstick for the renderer's memory: an SDL program that covers the screen
// with one OpenGL window and draws the same kind of frame as the renderer, straight
// into the back buffer: a translucent black rectangle over the whole view, then 200
// small textured squares added on top, each drawn on its own as the renderer draws
// its sprites, about 60 times a second. No scene, no persistent picture, no window
// search. Ends on SIGTERM (SDL's quit event).
#include <GL/gl.h>
#include <SDL.h>

#include <array>
#include <cstdint>

namespace {

constexpr int kTextureSize = 64;
constexpr int kSprites = 200;

void DrawFrame(int frame) {
  glLoadIdentity();
  glDisable(GL_TEXTURE_2D);
  glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
  glColor4f(0.0f, 0.0f, 0.0f, 0.088f);
  glRectf(-1.0f, -1.0f, 1.0f, 1.0f);
  glEnable(GL_TEXTURE_2D);
  glBlendFunc(GL_ONE, GL_ONE);
  for (int i = 0; i < kSprites; ++i) {
    const float x = static_cast<float>((i * 37 + frame) % 200) / 100.0f - 1.0f;
    const float y = static_cast<float>((i * 91 + 2 * frame) % 200) / 100.0f - 1.0f;
    const float s = 0.05f;
    glColor3f(0.5f, 0.4f, 0.3f);
    glBegin(GL_QUADS);
    glTexCoord2f(0, 0), glVertex2f(x - s, y - s);
    glTexCoord2f(1, 0), glVertex2f(x + s, y - s);
    glTexCoord2f(1, 1), glVertex2f(x + s, y + s);
    glTexCoord2f(0, 1), glVertex2f(x - s, y + s);
    glEnd();
  }
}

}  // namespace

int main() {
  if (SDL_Init(SDL_INIT_VIDEO) != 0) return 1;
  SDL_Rect screen{};
  SDL_GetDisplayBounds(0, &screen);
  SDL_Window* window =
      SDL_CreateWindow("bare GL program", screen.x, screen.y, screen.w, screen.h,
                       SDL_WINDOW_OPENGL | SDL_WINDOW_BORDERLESS | SDL_WINDOW_FULLSCREEN_DESKTOP);
  if (!window) return 1;
  SDL_GLContext context = SDL_GL_CreateContext(window);
  SDL_GL_SetSwapInterval(1);
  std::array<std::uint8_t, kTextureSize * kTextureSize> texels{};
  for (std::size_t i = 0; i < texels.size(); ++i) texels[i] = static_cast<std::uint8_t>(i * 7);
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR);
  glTexImage2D(GL_TEXTURE_2D, 0, GL_LUMINANCE, kTextureSize, kTextureSize, 0, GL_LUMINANCE,
               GL_UNSIGNED_BYTE, texels.data());
  glEnable(GL_BLEND);
  for (int frame = 0;; ++frame) {
    SDL_Event event;
    bool quit = false;
    while (SDL_PollEvent(&event)) quit = quit || event.type == SDL_QUIT;
    if (quit) break;
    DrawFrame(frame);
    SDL_GL_SwapWindow(window);
    SDL_Delay(16);
  }
  SDL_GL_DeleteContext(context);
  SDL_DestroyWindow(window);
  SDL_Quit();
  return 0;
}

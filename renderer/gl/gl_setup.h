#pragma once

#include <SDL.h>

namespace veyora {

// Texture name of the sprite picture and display-list name of the sprite square.
constexpr unsigned kSpriteTextureName = 1;
constexpr unsigned kSpriteListName = 1;

// Gives the window its OpenGL context and leaves it current: viewport and perspective
// for the whole window, back-face culling, one clear to black, the sprite texture and
// the sprite list (a textured square of half-size `spriteHalfSize`). Returns null when
// no context can be had.
SDL_GLContext InitGL(SDL_Window* window, int width, int height, float spriteHalfSize);

// Viewport and perspective for a window of this size, on the current context: at
// set-up, and again whenever the window changes size.
void SetUpView(int width, int height);

// True when the driver of the current context rasterizes on the CPU.
bool CurrentDriverIsSoftware();

// Shows the finished back buffer.
void PresentFrame(SDL_Window* window);

// Releases the context from the thread, then deletes it; the texture and the list go
// with it.
void ShutdownGL(SDL_Window* window, SDL_GLContext context);

}  // namespace veyora

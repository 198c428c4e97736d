#include <gtest/gtest.h>

#include <GL/gl.h>
#include <SDL.h>
#include <SDL_syswm.h>
#include <X11/Xlib.h>

#include <cstdlib>
#include <memory>

#include "platform/x_connection.h"
#include "tests/support/xvfb_server.h"

namespace {

// Draws a frame over the whole window and shows it.
void DrawFrame(SDL_Window* window, float grey) {
  glClearColor(grey, grey, grey, 1.0f);
  glClear(GL_COLOR_BUFFER_BIT);
  glBegin(GL_TRIANGLE_STRIP);
  glVertex2f(-1, -1), glVertex2f(1, -1), glVertex2f(-1, 1), glVertex2f(1, 1);
  glEnd();
  SDL_GL_SwapWindow(window);
}

// A host destroys the window the renderer draws into, as it may at any moment: the
// software driver then learns a 0 x 0 size instead of whatever was on the stack,
// and the frames drawn before the renderer notices go nowhere, without a crash.
TEST(DestroyedWindowTest, DrawingIntoAWindowDestroyedUnderTheDriverGoesNowhere) {
  testsupport::XvfbServer server(320, 240);
  ASSERT_TRUE(server.Running());
  setenv("DISPLAY", server.Display().c_str(), 1);
  setenv("LIBGL_ALWAYS_SOFTWARE", "1", 1);
  platform::TolerateXErrors();
  Display* host = XOpenDisplay(server.Display().c_str());
  ASSERT_TRUE(host);
  const Window window = XCreateSimpleWindow(host, DefaultRootWindow(host), 0, 0, 320, 240, 0, 0, 0);
  XMapWindow(host, window);
  XSync(host, False);

  SDL_SetHint(SDL_HINT_VIDEO_FOREIGN_WINDOW_OPENGL, "1");
  ASSERT_EQ(SDL_Init(SDL_INIT_VIDEO), 0) << SDL_GetError();
  SDL_Window* sdlWindow = SDL_CreateWindowFrom(reinterpret_cast<const void*>(window));
  ASSERT_TRUE(sdlWindow) << SDL_GetError();
  SDL_GLContext context = SDL_GL_CreateContext(sdlWindow);
  ASSERT_TRUE(context) << SDL_GetError();
  for (int frame = 0; frame < 3; ++frame) DrawFrame(sdlWindow, 0.5f);

  XDestroyWindow(host, window);
  XSync(host, False);
  for (int frame = 0; frame < 30; ++frame) DrawFrame(sdlWindow, frame / 30.0f);

  Window root = 0;
  int x = -1, y = -1;
  unsigned int width = 99, height = 99, border = 99, depth = 99;
  EXPECT_FALSE(XGetGeometry(host, window, &root, &x, &y, &width, &height, &border, &depth));
  EXPECT_EQ(width, 0u);
  EXPECT_EQ(height, 0u);

  SDL_GL_DeleteContext(context);
  SDL_DestroyWindow(sdlWindow);
  SDL_Quit();
  XCloseDisplay(host);
}

}  // namespace

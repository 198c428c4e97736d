#include <gtest/gtest.h>

#include <GL/gl.h>
#include <SDL.h>
#include <X11/Xlib.h>

#include <cstdlib>

#include "platform/x_connection.h"
#include "tests/support/xvfb_server.h"

// A host destroys the window the renderer draws into: the software driver then
// learns a 0 x 0 size instead of whatever was left on the stack, and the frames
// drawn before the renderer notices go nowhere.
TEST(DestroyedWindowTest, FramesDrawnIntoAWindowThatIsGoneGoNowhere) {
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
  SDL_Window* drawn = SDL_CreateWindowFrom(reinterpret_cast<const void*>(window));
  ASSERT_TRUE(drawn) << SDL_GetError();
  SDL_GLContext context = SDL_GL_CreateContext(drawn);
  ASSERT_TRUE(context) << SDL_GetError();

  for (int frame = 0; frame < 30; ++frame) {
    if (frame == 3) {
      XDestroyWindow(host, window);
      XSync(host, False);
    }
    glClearColor(frame / 30.0f, 0.5f, 0.5f, 1.0f);
    glClear(GL_COLOR_BUFFER_BIT);
    SDL_GL_SwapWindow(drawn);
  }
  Window root = 0;
  int x = -1, y = -1;
  unsigned int width = 99, height = 99, border = 99, depth = 99;
  EXPECT_FALSE(XGetGeometry(host, window, &root, &x, &y, &width, &height, &border, &depth));
  EXPECT_EQ(width, 0u);
  EXPECT_EQ(height, 0u);
  SDL_GL_DeleteContext(context);
  SDL_DestroyWindow(drawn);
  SDL_Quit();
  XCloseDisplay(host);
}

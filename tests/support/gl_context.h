// A hidden window with an OpenGL compatibility context, for GL tests that draw
// without the game's own window.
#pragma once
#include <SDL.h>

struct hidden_gl_window {
  SDL_Window* window = nullptr;
  SDL_GLContext context = nullptr;

  // Starts SDL video and makes the window and its context current; records a
  // test failure when it cannot.
  void open(const char* title, int width, int height);
  void close();
};

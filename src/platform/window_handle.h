// The one game window and its rendering context: what the window code creates
// and the gamma, message-box and drawing code address.
#pragma once
#include <SDL.h>

extern SDL_Window* hWnd;    // the game window, null while none exists
extern SDL_GLContext hRC;   // its rendering context

#include "platform/window_handle.h"

SDL_Window* hWnd = nullptr;
SDL_GLContext hRC = nullptr;

// The one game window with its OpenGL context, and the message pump that
// turns window events into the input tables of platform/input.h.
#pragma once
#include <SDL.h>

extern SDL_Window* hWnd;    // the game window, null while none exists
extern SDL_GLContext hRC;   // its rendering context

extern float LightAmbient[4];
extern float LightDiffuse[4];
extern float LightPosition[4];

// Opens the window (full screen or not, storing the flag in `fullscreen`) with
// a double-buffered context of `bits` colour bits and 16 depth bits. Shows a
// message box and returns false when any step fails.
bool CreateGLWindow(const char* title, int width, int height, int bits, bool fullscreenflag);
// Leaves full screen and releases the context and the window.
void KillGLWindow();
// Viewport and projection for a client area; a height of 0 counts as 1.
void ReSizeGLScene(int width, int height);
// The GL state every later drawing relies on.
bool InitGL();

// The window procedure: one event into keys, mouse, `active`, resize, quit.
void WndProc(const SDL_Event& event);
// Takes one waiting message if there is one; `quit` is set for the quit message.
bool take_message(bool& quit);
// Called after every frame: releases of keys and buttons pressed since the
// last frame take effect only now, so a tap shorter than a frame is still
// seen by one frame.
void finish_frame_input();

void SwapBuffers();

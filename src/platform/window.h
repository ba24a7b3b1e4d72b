// The one game window with its OpenGL context, and the message pump that
// turns window events into the input tables of platform/input.h.
#pragma once
#include <SDL.h>

#include "platform/window_handle.h"

// What the drawing code sets up in a fresh context (GL state, textures, fonts);
// false fails the window with "Initialization Failed.".
using context_setup_fn = bool (*)();

// Opens the window (full screen or not, storing the flag in `fullscreen`) with
// a double-buffered context of `bits` colour bits and 16 depth bits, then runs
// `setup` in it. Shows a message box and returns false when any step fails.
bool CreateGLWindow(const char* title, int width, int height, int bits, bool fullscreenflag,
                    context_setup_fn setup = nullptr);
// Leaves full screen and releases the context and the window.
void KillGLWindow();
// Viewport and projection for a client area; a height of 0 counts as 1.
void ReSizeGLScene(int width, int height);

// The window procedure: one event into keys, mouse, `active`, resize, quit.
void WndProc(const SDL_Event& event);
// Takes one waiting message if there is one; `quit` is set for the quit message.
bool take_message(bool& quit);
// Sleeps until a message is waiting (it stays in the queue): a minimised
// window has nothing to draw until the window system says something.
void wait_for_message();
// A key pressed and let go within this frame, as a very short tap is: the
// frame sees it down, the next one up (a pad button standing for a key).
void tap_key(int vk);
// Called after every frame: releases of keys and buttons pressed since the
// last frame take effect only now, so a tap shorter than a frame is still
// seen by one frame.
void finish_frame_input();

void SwapBuffers();
// Vertical sync for the current context and every later one: on asks for a
// swap interval of 1, off for 0; a driver that refuses keeps what it gives.
void set_vertical_sync(bool on);
// The window's title, set only when it differs (a change is a round trip to
// the display server). Nothing without a window.
void SetWindowTextA(const char* title);
// Ends the platform layer at shutdown, after the window is gone.
void close_platform();

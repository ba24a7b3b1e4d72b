// The display mode the game window asks for: set by the engine configuration,
// F1 flips full screen, and the mouse and HUD arithmetic read the size.
#pragma once
#include <cstdint>

extern uint8_t fullscreen;
extern int resolution_x, resolution_y;
extern int color_depth;

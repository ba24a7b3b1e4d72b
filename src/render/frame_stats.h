// Per-frame statistics shown on the HUD.
#pragma once

extern float g_nFPS;  // 1 / frame time
extern int g_nFrames;  // frames drawn since start
// Triangles submitted this frame: reset at frame start, raised by every
// drawing routine.
extern int g_triangles;

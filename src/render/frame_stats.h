// Per-frame statistics shown on the HUD.
#pragma once
#include "formats/md2.h"  // g_triangles: raised by every drawing routine

extern float g_nFPS;  // 1 / frame time
extern int g_nFrames;  // frames drawn since start

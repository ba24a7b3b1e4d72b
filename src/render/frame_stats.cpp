#include "render/frame_stats.h"

float g_nFPS = 0.0f;
int g_nFrames = 0;
int g_triangles = 0;

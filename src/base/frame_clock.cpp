#include "base/frame_clock.h"

float motion_mix = 0.1f;
float t_scale = 1.0f;
uint32_t last_frame = 0;

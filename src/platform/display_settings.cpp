#include "platform/display_settings.h"

uint8_t fullscreen = 1;
int resolution_x = 800, resolution_y = 600;
int color_depth = 32;

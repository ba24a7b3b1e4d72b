#include "base/play_options.h"

uint8_t c_cheats_enabled = 0;
uint8_t c_immortal = 0;
uint8_t c_ultra_blood = 0;
float c_marks_life = 25.0f;

#include "core/game_state.h"

int global_status = status_logo;
uint8_t game_started = 0;
uint8_t fullscreen = 1;
int resolution_x = 800, resolution_y = 600;
int color_depth = 32;
float motion_mix = 0.1f;
float t_scale = 1.0f;
uint32_t last_frame = 0;
uint8_t screenshot = 0;
uint8_t c_cheats_enabled = 0;
uint8_t c_immortal = 0;
uint8_t c_ultra_blood = 0;
float c_marks_life = 25.0f;
float gamma_corr[3];
char mapa_filename[path_capacity];
char c_first_filename[path_capacity] = "data/maps/test";
char c_next_filename[path_capacity];
uint8_t no_key_alarm = 0;

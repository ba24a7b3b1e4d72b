// The globals that steer the main loop: game state, frame clock, display
// settings, cheats and gamma.
#pragma once
#include <cstddef>
#include <cstdint>

constexpr size_t path_capacity = 256;

// global_status values.
constexpr int status_menu = 0;
constexpr int status_game = 1;
constexpr int status_quit = 2;
constexpr int status_logo = 3;

extern int global_status;
extern uint8_t game_started;
extern uint8_t fullscreen;
extern int resolution_x, resolution_y;
extern int color_depth;
extern float motion_mix;  // seconds the current frame covers
extern float t_scale;     // time scale; speeds are rate * motion_mix / t_scale
extern uint32_t last_frame;
extern uint8_t screenshot;
extern uint8_t c_cheats_enabled;
extern uint8_t c_immortal;
extern uint8_t c_ultra_blood;
extern float c_marks_life;
extern float gamma_corr[3];
extern char mapa_filename[path_capacity];
extern char c_first_filename[path_capacity];
extern char c_next_filename[path_capacity];
extern uint8_t no_key_alarm;

// Seconds between two readings of the 32-bit millisecond clock; the unsigned
// difference stays right across the counter's wrap-around.
inline float frame_seconds(uint32_t now, uint32_t before) {
  return static_cast<float>(static_cast<uint32_t>(now - before)) / 1000.0f;
}

// The frame clock: how long the current frame lasts. Every time-based change
// in the game is rate * motion_mix / t_scale.
#pragma once
#include <cstdint>

extern float motion_mix;  // seconds the current frame covers
extern float t_scale;     // time scale; nothing changes it
extern uint32_t last_frame;  // millisecond tick count at the previous frame's start

// Seconds between two readings of the 32-bit millisecond clock; the unsigned
// difference stays right across the counter's wrap-around.
inline float frame_seconds(uint32_t now, uint32_t before) {
  return static_cast<float>(static_cast<uint32_t>(now - before)) / 1000.0f;
}

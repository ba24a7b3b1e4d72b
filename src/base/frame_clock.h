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

// Milliseconds from `then` to `now` on the wrapping clock. A `then` ahead of
// `now` reads as a huge value, so a delay measured from it has long passed.
inline uint32_t ticks_since(uint32_t now, uint32_t then) { return now - then; }

// The same for a tick count kept as a float (enemy aim refresh), which a
// savegame may bring from another run: anything not a reading of this clock
// counts as long ago.
inline uint32_t ticks_since(uint32_t now, float then) {
  if (!(then >= 0.0f && then < 4294967296.0f)) return UINT32_MAX;
  return now - static_cast<uint32_t>(then);
}

// Whether `delay_ms` milliseconds (scaled by t_scale) have passed; a negative
// delay has always passed.
inline bool delay_passed(uint32_t elapsed, float delay_ms) {
  return static_cast<float>(elapsed) >= delay_ms * t_scale;
}

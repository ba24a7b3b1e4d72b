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

// A frame that ends sooner than this waits for the rest, so that a loop
// without vertical sync (or with a driver that ignores it) never spins a core.
constexpr double shortest_frame_seconds = 0.002;

// Whole milliseconds still to wait after a frame that took `took` seconds
// (rounded up, so the frame lasts at least the shortest frame).
inline uint32_t frame_rest_milliseconds(double took) {
  if (!(took < shortest_frame_seconds)) return 0;
  double rest = (shortest_frame_seconds - (took > 0.0 ? took : 0.0)) * 1000.0;
  uint32_t whole = static_cast<uint32_t>(rest);
  return whole < rest ? whole + 1 : whole;
}

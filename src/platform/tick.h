// Millisecond tick count: a 32-bit counter that wraps, as the frame clock expects.
#pragma once
#include <cstdint>

// Milliseconds since start-up, wrapping at 2^32.
uint32_t GetTickCount();

// The clock behind GetTickCount can be replaced: tests and the demo player
// bring their own; nullptr restores the real one.
using tick_source_fn = uint32_t (*)();
void set_tick_source(tick_source_fn source);
tick_source_fn tick_source();

// The wall clock whatever the tick source: seconds from a fine counter (for
// measuring frames), and a pause of the whole program.
double wall_seconds();
void wait_milliseconds(uint32_t ms);

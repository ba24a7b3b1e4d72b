// Millisecond tick count: a 32-bit counter that wraps, as the frame clock expects.
#pragma once
#include <cstdint>

// Milliseconds since start-up, wrapping at 2^32.
uint32_t GetTickCount();

// Tests replace the clock with their own; nullptr restores the real one.
using tick_source_fn = uint32_t (*)();
void set_tick_source(tick_source_fn source);

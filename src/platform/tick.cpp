#include "platform/tick.h"

#include <SDL.h>

static uint32_t sdl_ticks() { return SDL_GetTicks(); }

static tick_source_fn current_tick_source = sdl_ticks;

uint32_t GetTickCount() { return current_tick_source(); }

void set_tick_source(tick_source_fn source) { current_tick_source = source ? source : sdl_ticks; }

tick_source_fn tick_source() { return current_tick_source; }

double wall_seconds() {
  return static_cast<double>(SDL_GetPerformanceCounter()) / static_cast<double>(SDL_GetPerformanceFrequency());
}

void wait_milliseconds(uint32_t ms) { SDL_Delay(ms); }

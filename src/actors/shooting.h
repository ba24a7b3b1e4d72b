// The player's trigger and reload: the left button fires the held weapon
// (one shot per frame at most, its shoot_delay apart, an empty click every
// 500 ms on an empty magazine), the right button reloads it in three timed
// phases.
#pragma once
#include <cstdint>

// Reload phases.
constexpr int32_t reload_none = 0;
constexpr int32_t reload_start = 1;
constexpr int32_t reload_loading = 2;
constexpr int32_t reload_end = 3;

constexpr uint32_t empty_click_ms = 500;

extern uint32_t shoot_tick;   // last shot or empty click
extern uint32_t reload_tick;  // last reload event
extern int32_t reloading;     // reload phase

// One frame of the trigger: the shot with its pellets traced, the empty
// click, the end of a fire loop.
void shoot_process();
// One frame of the reload sequence.
void reload_weapon();

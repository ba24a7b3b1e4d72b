// Switches that steer play, set by the engine configuration, the menu commands
// and the cheat keys, and read by the simulation.
#pragma once
#include <cstdint>

extern uint8_t c_cheats_enabled;
extern uint8_t c_immortal;     // the player's health is held at 999
extern uint8_t c_ultra_blood;  // heavy blood
extern float c_marks_life;     // seconds a mark stays

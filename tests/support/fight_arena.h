// An open arena for fight tests: a floor of the given size with nothing on it,
// no enemies, bullets, emitters or marks, the live player at a point with a
// plain weapon, and a clock the test moves by hand.
#pragma once
#include <cstdint>

extern uint32_t arena_now;  // what GetTickCount returns while an arena is open

// Clears the grid, the fight tables and the player, and takes over the clock.
void open_arena(int size_x, int size_z);
// Gives the clock back.
void close_arena();
// Sets one cell's kind (cell_wall, cell_door_ajar, ...).
void set_cell(int x, int z, int kind);
// Enemy of type 0 at (x, z), alive with `health`; returns its index.
int add_arena_enemy(float x, float z, int32_t health);

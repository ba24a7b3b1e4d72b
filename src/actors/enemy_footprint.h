// An enemy's footprint: the square of half-side 0.45 around its position,
// tested at its four corners against walls and other occupants.
#pragma once

constexpr float enemy_half_width = 0.45f;

// A corner stands on a cell that blocks walking (any non-free kind).
bool footprint_blocked(float x, float z);
// A corner stands on a cell marked for another enemy or the player; `self`
// is the enemy's own mark.
bool footprint_crowded(float x, float z, int self);
// The enemy's cell index on one axis by truncation, or -1 for a position off
// the layers (far off or NaN).
int enemy_cell(float v);

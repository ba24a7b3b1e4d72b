// Fighting as a player does: which enemy to shoot at, with which weapon, and
// when to reload.
#pragma once

// Farthest an enemy is taken on, in cells.
constexpr float fight_range = 12.0f;

// Whether a shot from (x0, z0) flies to (x1, z1): no wall and no closed door
// on the way (barriers and half-open doors let shots through).
bool line_of_fire_clear(float x0, float z0, float x1, float z1);

// The nearest living enemy within fight_range that the live player's shot
// would reach; -1 for none.
int enemy_to_fight();

// The best weapon the player can fire: the last owned one in the table with
// cartridges; -1 when there is none.
int weapon_to_hold();

// Whether the right button should be held this frame: the held weapon's
// magazine is empty, or not full while nobody is being fought, and there are
// cartridges to load.
bool reload_wanted(bool fighting);

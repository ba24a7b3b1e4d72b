// What the player goes for next in a level: the items worth the walk (weapons
// not yet owned and keys always, ammunition and medikits when needed and
// near), then the exit.
#pragma once

#include "grid_route.h"

// Farthest an ammunition box or a medikit is worth walking to, in steps.
constexpr int ammo_detour_steps = 12;
constexpr int medikit_detour_steps = 20;
// Health at or below which medikits are fetched.
constexpr int medikit_wanted_health = 50;

// The nearest wanted item that can be reached, else the nearest reachable
// exit; false when there is neither.
bool next_goal(const route_distances& routes, grid_cell& goal);

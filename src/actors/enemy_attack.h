// An enemy's shot: its pellets, aimed with one shared error, traced like the
// player's; they hurt the player and any other enemy in the line of fire.
#pragma once

// Spread of the aim error shared by a shot's pellets: -15 ... +14 degrees.
constexpr int enemy_aim_error = 30;

// One shot of enemy k.
void ai_shoot(int k);

// Steering the live player: the movement keys walk relative to the facing
// angle (the pad's left stick walks through the same step: actors/pad_sticks),
// the digit keys pick a weapon, and the cursor's place around the window
// centre sets the facing.
#pragma once

// The live player's collision corners (actors/player_footprint), kept by
// update_player_corners: A (-,+), B (+,+), C (+,-), D (-,-) around (x, z).
extern float Ax, Az, Bx, Bz, Cx, Cz, Dx, Dz;

void update_player_corners();

// One frame of weapon keys and walking keys; true when a movement key walked
// (the keys win over the pad's left stick), false after a walking player was
// stood still. Not called while the player is dead.
bool keyboard_control();

// One frame's step of the live player in `direction` (degrees, as the facing
// counts them) at `share` (0..1) of its speed; a wall across one axis still
// lets it slide along the other. The player's animation is walking after it.
void walk_player(float direction, float share);

// The weapon after (step 1) or before (step -1) `held`, going round, that
// has cartridges; `held` when no other has.
int next_weapon_with_cartridges(int held, int step);
// Takes that weapon (the pad's shoulder buttons).
void cycle_weapon(int step);

// Turns the live player towards the cursor. The previous facing feeds back
// into the new one, so the angle settles over a few frames.
void mouse_aiming();

// The facing that mouse_aiming gives a player facing `uhel_before` with the
// cursor at (mx, my) in a window of that size; no table is touched.
float aimed_uhel(int mx, int my, int resolution_x, int resolution_y, float uhel_before);

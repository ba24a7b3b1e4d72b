// The game as start-up leaves it, kept so that a soak can play a demo again
// and again in one process from the same state: the logo, the player and the
// weapon stock as loaded, nothing held over from the last run but what a new
// level load replaces anyway (grid, enemies, effects).
#pragma once

// Takes a copy of the state play changes; call once start-up has loaded it.
void remember_start_state();

// Puts it back: the logo showing, no game in progress, the player, weapons,
// collected keys, enemy table, cheats, gamma, frame clock, message line, the
// effects' tidying ticks and what the pad's buttons and right stick last did,
// as they were at start-up.
void return_to_start_state();

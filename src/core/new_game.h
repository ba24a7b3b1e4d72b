// The player's stock at the start of a new game: full health, the first weapon
// in hand with one magazine loaded and one spare, nothing else.
#pragma once

void reset_player_for_new_game();

#include "core/new_game.h"

#include "actors/player.h"
#include "actors/weapons.h"

void reset_player_for_new_game() {
  players[player_id].health = player_start_health;
  players[player_id].weapon = 0;
  for (int i = 0; i < weaponu && i < weapon_capacity; ++i) weapon[i].ammo = weapon[i].reserve = 0;
  weapon[0].ammo = weapon[0].magazine;
  weapon[0].reserve = weapon[0].magazine;
}

#include "core/level_exit.h"

#include <cstdio>

#include "actors/player.h"
#include "base/table_index.h"
#include "core/savegame.h"
#include "world/level_paths.h"
#include "world/map_grid.h"

void check_level_exit() {
  const player_t& player = players[player_id];
  int px = static_cast<int>(player.x), pz = static_cast<int>(player.z);
  int exits = table_rows(mapa_endu, map_end_capacity);
  for (int i = 0; i < exits; ++i) {
    if (mapa_end_x[i] == px && mapa_end_z[i] == pz) {
      std::snprintf(mapa_filename, sizeof mapa_filename, "%s", c_next_filename);
      load_level_with_autosave();
      return;
    }
  }
}

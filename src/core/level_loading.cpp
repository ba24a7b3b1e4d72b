#include "core/level_loading.h"

#include <cstdio>
#include <cstring>

#include "actors/player.h"
#include "actors/weapon_animation.h"
#include "base/console.h"
#include "base/loading_log.h"
#include "base/table_index.h"
#include "core/game_state.h"
#include "level/kel_map.h"
#include "lighting/light_grid.h"
#include "lighting/lightmap.h"
#include "render/textures.h"
#include "world/level_paths.h"
#include "world/map_grid.h"

constexpr int wall_map_missing = 2;

bool load_level(bool) {
  if (std::strcmp(mapa_filename, last_level_name) == 0) {
    Console.add_command("menu:victory");
    return false;
  }
  shoot_anim = weapon_anim_none;
  draw_loading(mapa_filename);

  for (int& cell : mapa_m) cell = no_model;

  if (KelMapLoader.load_pack(mapa_filename) != 0) {
    int missing = KelMapLoader.load_maps(mapa_filename);
    if (missing != 0) mark_loading_failed();
    if (missing == wall_map_missing) {
      active_menu = 0;
      menu_sel_item = 0;
      global_status = status_menu;
      return false;
    }
  }
  KelMapLoader.update_globals();
  retry_failed_textures();  // play never retries them: a failed bind stays failed

  draw_loading("Particles");
  draw_loading("Lights");
  init_light();
  load_groups_vt();
  load_lightmap(false);
  draw_loading("AI");
  draw_loading("...");
  return true;
}

void check_level_exit() {
  const player_t& player = players[player_id];
  int px = static_cast<int>(player.x), pz = static_cast<int>(player.z);
  int exits = table_rows(mapa_endu, map_end_capacity);
  for (int i = 0; i < exits; ++i) {
    if (mapa_end_x[i] == px && mapa_end_z[i] == pz) {
      std::snprintf(mapa_filename, sizeof mapa_filename, "%s", c_next_filename);
      load_level(true);
      return;
    }
  }
}

#include "core/level_loading.h"

#include <cstdio>
#include <cstring>

#include "actors/bullets.h"
#include "actors/enemy_ai.h"
#include "actors/player.h"
#include "actors/weapon_animation.h"
#include "base/console.h"
#include "base/loading_log.h"
#include "base/table_index.h"
#include "core/game_state.h"
#include "core/triggers.h"
#include "effects/particles.h"
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
  forget_keys();

  reset_bullets();
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
  start_loaded_level(true);
  return true;
}

void start_loaded_level(bool show_progress) {
  auto progress = [show_progress](const char* step) {
    if (show_progress) draw_loading(step);
  };
  retry_failed_textures();  // play never retries them: a failed bind stays failed

  progress("Particles");
  init_particles();
  init_emitors();
  progress("Lights");
  init_light();
  load_groups_vt();
  load_lightmap(false);
  progress("AI");
  ai_init();
  ai_init_health();
  progress("...");
}

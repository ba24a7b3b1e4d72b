#include "support/fight_arena.h"

#include <cstring>

#include "actors/bullets.h"
#include "actors/enemies.h"
#include "actors/player.h"
#include "actors/shooting.h"
#include "actors/weapon_animation.h"
#include "actors/weapons.h"
#include "base/frame_clock.h"
#include "base/play_options.h"
#include "effects/particles.h"
#include "platform/input.h"
#include "platform/tick.h"
#include "world/map_grid.h"

uint32_t arena_now = 0;
static uint32_t arena_clock() { return arena_now; }

void open_arena(int size_x, int size_z) {
  set_tick_source(arena_clock);
  arena_now = 100000;
  mapa_size_x = size_x;
  mapa_size_z = size_z;
  for (int c = 0; c < map_cells; ++c) {
    mapa_v[c] = cell_free;
    mapa_e[c] = 0;
    mapa_m[c] = no_model;
    mapa_ip[c] = no_trigger;
  }
  std::memset(imp, 0, sizeof imp);
  impu = 0;
  std::memset(imp_prototype, 0, sizeof imp_prototype);
  imp_prototype[0].health = 40;
  imp_prototype[0].speed = 1.0f;
  imp_prototype[0].range = 8.0f;
  imp_prototype[0].shoot_delay = 1000;
  imp_prototype[0].damage = 5;
  imp_prototype[0].shells = 1;
  reset_bullets();
  init_particles();
  std::memset(emitor, 0, sizeof emitor);
  emitoru = 0;
  c_ultra_blood = 0;
  c_marks_life = 25.0f;
  player_id = 0;
  players[0] = player_t{};
  players[0].health = player_start_health;
  players[0].x = players[0].z = 5.5f;
  std::memset(weapon, 0, sizeof weapon);
  weaponu = 1;
  weapon[0].owned = 1;
  weapon[0].shells = 1;
  weapon[0].damage = 10;
  weapon[0].ammo = weapon[0].magazine = 8;
  shoot_tick = reload_tick = 0;
  reloading = reload_none;
  shoot_anim = weapon_anim_none;
  mouse_lb = mouse_rb = 0;
  motion_mix = 0.02f;
  t_scale = 1.0f;
}

void close_arena() {
  set_tick_source(nullptr);
  mouse_lb = mouse_rb = 0;
  motion_mix = 0.1f;
}

void set_cell(int x, int z, int kind) { mapa_v[map_index(x, z)] = kind; }

int add_arena_enemy(float x, float z, int32_t health) {
  imp_t& e = imp[impu];
  e = imp_t{};
  e.x = x;
  e.z = z;
  e.health = health;
  e.anim_state = imp_standing;
  return impu++;
}

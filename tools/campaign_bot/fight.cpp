#include "fight.h"

#include <cmath>

#include "actors/enemies.h"
#include "actors/player.h"
#include "actors/weapons.h"
#include "base/table_index.h"
#include "world/map_grid.h"

bool line_of_fire_clear(float x0, float z0, float x1, float z1) {
  constexpr float sample_step = 0.1f;  // the pellets' own step
  float length = std::hypot(x1 - x0, z1 - z0);
  int samples = static_cast<int>(length / sample_step) + 1;
  for (int s = 1; s <= samples; ++s) {
    float f = static_cast<float>(s) / static_cast<float>(samples);
    int v = test_map_v(x0 + (x1 - x0) * f, z0 + (z1 - z0) * f);
    if (v == cell_wall || v == cell_door_closed) return false;
  }
  return true;
}

int enemy_to_fight() {
  const player_t& p = players[player_id];
  int best = -1;
  float best_distance = fight_range;
  int enemies = table_rows(impu, imp_capacity);
  for (int k = 0; k < enemies; ++k) {
    const imp_t& e = imp[k];
    float d = std::hypot(e.x - p.x, e.z - p.z);
    if (e.health > 0 && d <= best_distance && line_of_fire_clear(p.x, p.z, e.x, e.z)) {
      best = k;
      best_distance = d;
    }
  }
  return best;
}

static bool has_cartridges(const weapon_t& w) { return w.ammo > 0 || w.reserve > 0; }

int weapon_to_hold() {
  for (int i = table_rows(weaponu, weapon_capacity) - 1; i >= 0; --i)
    if (weapon[i].owned && has_cartridges(weapon[i])) return i;
  return -1;
}

bool reload_wanted(bool fighting) {
  int held = players[player_id].weapon;
  if (!in_table(held, weapon_capacity)) return false;
  const weapon_t& w = weapon[held];
  if (w.reserve <= 0 || w.ammo >= w.magazine) return false;
  return w.ammo <= 0 || !fighting;
}

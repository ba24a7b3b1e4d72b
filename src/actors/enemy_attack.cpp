#include "actors/enemy_attack.h"

#include <cstdlib>

#include "actors/bullets.h"
#include "actors/enemies.h"
#include "actors/enemy_footprint.h"
#include "actors/player.h"
#include "base/table_index.h"
#include "sound/sound_bank.h"
#include "world/map_grid.h"

void ai_shoot(int k) {
  if (!in_table(k, table_rows(impu, imp_capacity))) return;
  const imp_t& e = imp[k];
  if (!in_table(e.type, imp_prototype_capacity)) return;
  const imp_prototype_t& type = imp_prototype[e.type];
  const player_t& p = players[player_id];
  // The player is marked on the grid only while the pellets fly.
  int px = enemy_cell(p.x), pz = enemy_cell(p.z);
  int* player_cell = in_layer(px, pz) ? &mapa_e[map_index(px, pz)] : nullptr;
  int saved = player_cell ? *player_cell : 0;
  if (player_cell) *player_cell = player_mark_base + player_id;

  int r = std::rand();
  float aim = static_cast<float>(r % enemy_aim_error) + e.shoot_uhel - enemy_aim_error / 2 + 180.0f;
  Sound.Play(type.sound_shoot);
  int half = pellet_half_spread(type.shells);
  for (int i = -half; i <= half; ++i) {
    int j = launch_bullet(e.x, e.z, 2.0f * static_cast<float>(i) + aim + pellet_jitter(), type.damage);
    if (j < 0) continue;
    bullet_v[j] = -1.0f;
    trace_bullet(j, k + enemy_mark_base, false);
  }
  if (player_cell) *player_cell = saved;
}

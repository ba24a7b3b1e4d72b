#include "actors/bullets.h"

#include <cmath>
#include <cstdlib>

#include "actors/enemies.h"
#include "actors/player.h"
#include "base/table_index.h"
#include "effects/blood.h"
#include "effects/marks.h"
#include "platform/gamepad.h"
#include "sound/sound_bank.h"
#include "world/map_grid.h"

float bullet_x[bullet_capacity], bullet_z[bullet_capacity];
float bullet_uhel[bullet_capacity];
float bullet_s[bullet_capacity];
float bullet_v[bullet_capacity];
int32_t bullet_active[bullet_capacity];
bullet_t bullets[bullet_capacity];

constexpr float degrees_to_radians = 0.017453292f;

void reset_bullets() {
  for (int j = 0; j < bullet_slots; ++j) {
    bullet_active[j] = 0;
    bullet_v[j] = -1.0f;
  }
}

int pellet_half_spread(int32_t shells) {
  if (shells <= 1) return 0;
  int half = shells / 2;
  return half < bullet_slots / 2 ? half : bullet_slots / 2;
}

float pellet_jitter() { return static_cast<float>(std::rand() % 10 - 5) / 10.0f; }

int launch_bullet(float x, float z, float uhel, int32_t damage) {
  for (int j = 0; j < bullet_slots; ++j) {
    if (bullet_active[j]) continue;
    bullet_uhel[j] = uhel;
    bullet_x[j] = x;
    bullet_z[j] = z;
    bullet_s[j] = 1.0f;
    bullet_active[j] = 1;
    bullets[j].damage = damage;
    return j;
  }
  return -1;
}

void take_health(int32_t& health, int32_t damage) {
  int64_t left = int64_t{health} - damage;
  health = left < INT32_MIN ? INT32_MIN : left > INT32_MAX ? INT32_MAX : static_cast<int32_t>(left);
}

static int cell_of(float v) { return v >= 0.0f && v < static_cast<float>(map_dim) ? static_cast<int>(v) : -1; }

static void end_bullet(int j) {
  bullet_s[j] = 0.0f;
  bullet_active[j] = 0;
}

static void clear_enemy_mark(const imp_t& e) {
  int x = cell_of(e.x), z = cell_of(e.z);
  if (in_layer(x, z)) mapa_e[map_index(x, z)] = 0;
}

// The occupant named by a mapa_e mark takes the pellet; false when the mark
// names nobody that lives in the tables (a stale or damaged cell).
static bool hit_occupant(int e, int32_t damage, bool cry) {
  if (e == player_mark_base + player_id && in_table(player_id, player_slots)) {
    player_t& p = players[player_id];
    take_health(p.health, damage);
    Sound.Play(p.sound_pain);
    rumble_pad(player_hit_rumble, player_hit_rumble_ms);
    return true;
  }
  int k = e - enemy_mark_base;
  if (!in_table(k, table_rows(impu, imp_capacity))) return false;
  imp_t& target = imp[k];
  if (cry && in_table(target.type, imp_prototype_capacity)) Sound.Play(imp_prototype[target.type].sound_pain);
  take_health(target.health, damage);
  target.visible = 1;
  if (target.health < 1) {
    clear_enemy_mark(target);
    target.alert = 0;
  }
  return true;
}

void trace_bullet(int j, int ignore, bool cry) {
  if (!in_table(j, bullet_slots)) return;
  float a = bullet_uhel[j] * degrees_to_radians;
  float step_x = std::sin(a) * bullet_step, step_z = std::cos(a) * bullet_step;
  // Counted as well as measured: a damaged bullet_s cannot keep it going.
  constexpr int most_steps = static_cast<int>(bullet_range / bullet_step) + 1;
  for (int step = 0; bullet_active[j]; ++step) {
    if (step == most_steps) {
      end_bullet(j);
      return;
    }
    float old_x = bullet_x[j], old_z = bullet_z[j];
    bullet_x[j] -= step_x;
    bullet_z[j] -= step_z;
    bullet_s[j] += bullet_step;
    float x = bullet_x[j], z = bullet_z[j];
    int v = test_map_v(x, z);
    if (v == cell_wall || v == cell_door_closed) {
      end_bullet(j);
      int side = wall_hit_side(old_x, old_z, x, z);
      add_mark(side, x, 1.0f - 0.35f + static_cast<float>(std::rand() % 70) / 100.0f, z, 0.0f, 0.2f, 0.2f);
      return;
    }
    int e = test_map_e(x, z, ignore);
    if (e != 0 && hit_occupant(e, bullets[j].damage, cry)) {
      end_bullet(j);
      spray_blood(x, z, bullet_uhel[j]);
      return;
    }
    if (!(bullet_s[j] <= bullet_range)) end_bullet(j);
  }
}

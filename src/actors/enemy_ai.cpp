#include "actors/enemy_ai.h"

#include <cmath>
#include <cstdlib>

#include "actors/enemies.h"
#include "actors/enemy_animation.h"
#include "actors/enemy_attack.h"
#include "actors/enemy_footprint.h"
#include "actors/player.h"
#include "base/frame_clock.h"
#include "base/table_index.h"
#include "platform/tick.h"
#include "sound/sound_bank.h"
#include "world/map_grid.h"

constexpr float radians_to_degrees = 57.29578f;
constexpr float seen_radius_squared = 0.25f;
constexpr float arrived_squared = 1.5f;   // close enough to the target to stand
constexpr float axis_arrived = 0.1f;
// A ray that leaves the map is lost; one tenth-cell step per row or column
// of the layers is the longest way it can go.
constexpr int sight_ray_step_limit = map_dim * 10 + 10;

static int enemy_count() { return table_rows(impu, imp_capacity); }

static const imp_prototype_t* type_of(const imp_t& e) {
  return in_table(e.type, imp_prototype_capacity) ? &imp_prototype[e.type] : nullptr;
}

void ai_init() {
  for (int k = 0; k < enemy_count(); ++k) {
    imp_t& e = imp[k];
    e.alert = 0;
    e.visible = 0;
    e.frame = e.prev_frame = 0;
    e.interpol = 0.0f;
    e.anim_state = imp_standing;
  }
}

void ai_init_health() {
  for (int k = 0; k < enemy_count(); ++k) {
    const imp_prototype_t* type = type_of(imp[k]);
    if (type) imp[k].health = type->health;
  }
}

bool axis_steps(float dx, float dz, float& sx, float& sz) {
  sx = sz = 0.0f;
  if (!std::isfinite(dx) || !std::isfinite(dz) || (dx == 0.0f && dz == 0.0f)) return false;
  if (dz * dz < dx * dx) {
    sx = 1.0f;
    sz = std::fabs(dz / dx);
  } else {
    sz = 1.0f;
    sx = std::fabs(dx / dz);
  }
  if (dx < 0.0f) sx = -sx;
  if (dz < 0.0f) sz = -sz;
  return true;
}

sight_result sight_ray(float x, float z, float px, float pz) {
  sight_result r{false, false, false, x, z};
  float sx, sz;
  if (!axis_steps(x - px, z - pz, sx, sz)) {
    // Standing on the player's very point sees it; a position that is not a
    // number sees nothing.
    r.seen = std::isfinite(x) && std::isfinite(z) && x == px && z == pz;
    return r;
  }
  float size_x = static_cast<float>(mapa_size_x), size_z = static_cast<float>(mapa_size_z);
  for (int step = 0; step < sight_ray_step_limit; ++step) {
    r.rx -= sx * sight_ray_step;
    r.rz -= sz * sight_ray_step;
    int w = test_map_v(r.rx, r.rz);
    if (w != cell_free) {
      r.touched_solid = true;
      if (w != cell_door_ajar) return r;
      r.crossed_ajar = true;
    }
    float ex = px - r.rx, ez = pz - r.rz;
    if (ex * ex + ez * ez < seen_radius_squared) {
      r.seen = true;
      return r;
    }
    if (r.rx < 0.0f || r.rx > size_x || r.rz < 0.0f || r.rz > size_z) return r;
  }
  return r;
}

float attack_chance(float d, float range) { return 100.0f - (d / range) * 50.0f; }

float heading_to(float x, float z, float target_x, float target_z) {
  float ex = x - target_x, ez = z - target_z, sx, sz;
  axis_steps(ex, ez, sx, sz);
  float uhel = ez == 0.0f ? 0.0f : std::atan((target_x - x) / (target_z - z)) * radians_to_degrees;
  if (sz >= 0.0f && uhel != 0.0f) uhel += 180.0f;
  if (uhel == 0.0f && target_x < x) uhel = -90.0f;
  if (uhel == 0.0f && x < target_x) uhel = 90.0f;
  if (uhel == 0.0f && target_z < z) uhel = 180.0f;
  return uhel;
}

static void mark_cell(int x, int z, int mark) {
  if (in_layer(x, z)) mapa_e[map_index(x, z)] = mark;
}

static void rebuild_occupancy() {
  int size_x = table_rows(mapa_size_x, map_dim), size_z = table_rows(mapa_size_z, map_dim);
  for (int x = 0; x < size_x; ++x)
    for (int z = 0; z < size_z; ++z) mapa_e[map_index(x, z)] = 0;
  for (int k = 0; k < enemy_count(); ++k) {
    imp_t& e = imp[k];
    e.cell_x = enemy_cell(e.x);
    e.cell_z = enemy_cell(e.z);
    if (e.health > 0 && in_layer(e.cell_x, e.cell_z) && mapa_e[map_index(e.cell_x, e.cell_z)] == 0)
      mark_cell(e.cell_x, e.cell_z, k + enemy_mark_base);
    if (e.health < 1) e.anim_state = imp_dying;
    anim_imp(k);
  }
}

static void decide_attack(imp_t& e, const imp_prototype_t& type, float d) {
  if (motion_mix > 0.0f) e.think_time -= motion_mix;
  if (!(e.think_time <= 0.0f)) return;
  // A type without a positive range never attacks.
  if (!e.visible || !(type.range > 0.0f) || d > type.range) {
    e.attacking = 0;
    e.think_time = think_idle;
  } else if (static_cast<float>(std::rand() % 100) < attack_chance(d, type.range)) {
    e.shot_done = 0;
    e.attacking = 1;
    float period = static_cast<float>(type.shoot_delay) / 1000.0f;
    e.think_time = period > think_least_attack ? period : think_least_attack;
  } else {
    e.attacking = 0;
    e.think_time = think_declined;
  }
}

static void time_attack(imp_t& e, int k, const imp_prototype_t& type, uint32_t now) {
  if (!e.attacking) {
    e.shoot_uhel = e.uhel;
    return;
  }
  e.anim_state = imp_attacking;
  if (delay_passed(ticks_since(now, e.shot_tick), static_cast<float>(type.shoot_delay_2)) && !e.shot_done) {
    ai_shoot(k);
    e.shot_done = 1;
  }
  if (delay_passed(ticks_since(now, e.shot_tick), static_cast<float>(type.shoot_delay))) {
    e.shot_tick = static_cast<float>(now);
    e.shoot_uhel = e.uhel;
  }
}

// One axis of a step, with the other axis tried instead when it is blocked:
// the enemy slides along walls and round others.
static void step_axis(imp_t& e, int self, float& along, float step, float& across, float step_across) {
  along -= step;
  if (footprint_blocked(e.x, e.z)) {
    along += step;
    across -= step_across;
    if (footprint_blocked(e.x, e.z)) across += step_across;
    if (footprint_crowded(e.x, e.z, self)) across += step_across;
  }
  if (footprint_crowded(e.x, e.z, self)) {
    along += step;
    across -= step_across;
    if (footprint_blocked(e.x, e.z)) across += step_across;
    if (footprint_crowded(e.x, e.z, self)) across += step_across;
  }
}

static void walk(imp_t& e, int k, const imp_prototype_t& type) {
  float ex = e.x - e.target_x, ez = e.z - e.target_z;
  if (ex * ex + ez * ez < arrived_squared) {
    e.anim_state = imp_standing;
    return;
  }
  float sx, sz;
  axis_steps(ex, ez, sx, sz);
  float rate = type.speed * motion_mix / t_scale;
  float step_x = sx * rate, step_z = sz * rate;
  int self = k + enemy_mark_base;
  if (std::fabs(e.x - e.target_x) >= axis_arrived)
    step_axis(e, self, e.x, step_x, e.z, step_z);
  else
    e.x = e.target_x;
  if (std::fabs(e.z - e.target_z) >= axis_arrived)
    step_axis(e, self, e.z, step_z, e.x, step_x);
  else
    e.z = e.target_z;
  if (test_map_e(e.x, e.z, -1) == 0) mark_cell(e.cell_x, e.cell_z, self);
}

static void behave(int k, float px, float pz, uint32_t now) {
  imp_t& e = imp[k];
  const imp_prototype_t* type = type_of(e);
  if (!type) return;
  float dx = e.x - px, dz = e.z - pz;
  float d = std::sqrt(dx * dx + dz * dz);
  if (!(d <= enemy_reaction_distance)) return;
  if (e.health < 1) {
    e.anim_state = imp_dying;
    e.alert = 0;
    return;
  }
  sight_result sight = sight_ray(e.x, e.z, px, pz);
  if (sight.touched_solid) e.visible = 0;
  if (sight.crossed_ajar) e.anim_state = imp_standing;
  if (sight.seen) {
    e.anim_state = imp_standing;
    if (!e.alert) Sound.Play(type->sound_sight);
    e.alert = 1;
    e.target_x = sight.rx;
    e.target_z = sight.rz;
    e.visible = 1;
  }
  decide_attack(e, *type, d);
  time_attack(e, k, *type, now);
  if (e.alert) {
    e.anim_state = imp_walking;
    e.uhel = heading_to(e.x, e.z, e.target_x, e.target_z);
    if (!e.attacking && !sight.crossed_ajar) walk(e, k, *type);
  }
  if (e.attacking) e.anim_state = imp_attacking;
}

void ai_process() {
  uint32_t now = GetTickCount();
  rebuild_occupancy();
  const player_t& p = players[player_id];
  for (int k = 0; k < enemy_count(); ++k) behave(k, p.x, p.z, now);
}

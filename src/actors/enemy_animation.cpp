#include "actors/enemy_animation.h"

#include <cmath>

#include "actors/enemies.h"
#include "actors/enemy_footprint.h"
#include "actors/player_animation.h"
#include "base/frame_clock.h"
#include "base/table_index.h"
#include "sound/sound_bank.h"
#include "world/map_grid.h"

constexpr float degrees_to_radians = 0.017453292f;

// Moves the body by (dx, dz) one axis at a time, undoing a move that runs
// into a wall or onto someone else.
static void slide(imp_t& e, int self, float dx, float dz) {
  e.x -= dx;
  if (footprint_blocked(e.x, e.z) || footprint_crowded(e.x, e.z, self)) e.x += dx;
  e.z -= dz;
  if (footprint_blocked(e.x, e.z) || footprint_crowded(e.x, e.z, self)) e.z += dz;
}

static void death_step(imp_t& e, int k, const imp_prototype_t& type, float rate) {
  const int32_t first = type.anim_smrt[0], last = type.anim_smrt[1];
  // At rest the body neither moves nor slides any more.
  if (e.frame == last && e.prev_frame == last) return;
  e.interpol += death_anim_fps * rate;
  if (e.interpol >= 1.0f) {
    e.prev_frame = e.frame;
    e.frame = e.frame < INT32_MAX ? e.frame + 1 : first;
    if (e.frame < first || e.frame > last) {
      Sound.Play(type.sound_death);
      e.frame = first;
    }
    e.interpol = 0.0f;
    if (e.frame == last) e.prev_frame = e.frame;
  }
  float a = e.uhel * degrees_to_radians;
  slide(e, k + enemy_mark_base, death_slide_speed * std::sin(a) * rate, death_slide_speed * std::cos(a) * rate);
}

void anim_imp(int k) {
  if (!in_table(k, table_rows(impu, imp_capacity))) return;
  imp_t& e = imp[k];
  if (!in_table(e.type, imp_prototype_capacity)) return;
  const imp_prototype_t& type = imp_prototype[e.type];
  float rate = motion_mix / t_scale;
  switch (e.anim_state) {
    case imp_walking:
      loop_frame_step(type.anim_chuze, loop_anim_fps, e.frame, e.prev_frame, e.interpol);
      break;
    case imp_standing:
      loop_frame_step(type.anim_stop, loop_anim_fps, e.frame, e.prev_frame, e.interpol);
      break;
    case imp_attacking:
      loop_frame_step(type.anim_utok, loop_anim_fps, e.frame, e.prev_frame, e.interpol);
      break;
    case imp_dying:
      death_step(e, k, type, rate);
      break;
    default:
      e.frame = e.prev_frame = 0;
      e.interpol = 0.0f;
      e.anim_state = imp_standing;
  }
}

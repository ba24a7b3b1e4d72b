#include "effects/marks.h"

#include <cmath>

#include "base/play_options.h"
#include "base/table_index.h"
#include "world/map_grid.h"

mark_t mark[mark_capacity];
int marku;
// Every slot below this one holds a live mark: a full table answers at once
// instead of being searched for every drop of blood. Ageing frees slots
// anywhere and starts the search afresh, also after the table was refilled
// from elsewhere.
static int first_maybe_free;

constexpr float mark_reset_life = 60.0f;
constexpr float mark_wall_gap = 0.01f;  // in front of the face, so the quad is not hidden in it
constexpr float ageing_step = 0.1f;     // life units per 100 ms tick

// Truncation toward zero, held inside the int range for far-off values.
static int trunc_cell(float v) {
  constexpr float far = 1e6f;
  if (!(v > -far)) return -static_cast<int>(far);
  return v < far ? static_cast<int>(v) : static_cast<int>(far);
}

int wall_hit_side(float old_xf, float old_zf, float new_xf, float new_zf) {
  int old_x = trunc_cell(old_xf), old_z = trunc_cell(old_zf), new_x = trunc_cell(new_xf), new_z = trunc_cell(new_zf);
  int side = mark_side_none;
  if (new_x == old_x + 1 && new_z == old_z) side = mark_side_from_neg_x;
  if (new_x == old_x - 1 && new_z == old_z) side = mark_side_from_pos_x;
  if (new_x == old_x && new_z == old_z - 1) side = mark_side_from_pos_z;
  return side;
}

void add_mark(int side, float x, float y, float z, float r, float g, float b) {
  if (side == mark_side_none) return;
  int used = table_rows(marku, mark_capacity);
  int i = first_maybe_free < 0 || first_maybe_free > mark_capacity ? 0 : first_maybe_free;
  while (i < mark_capacity && mark[i].alive) ++i;
  first_maybe_free = i;
  if (i == mark_capacity) return;
  first_maybe_free = i + 1;
  if (i >= used) marku = i + 1;
  mark_t& m = mark[i];
  m.alive = 1;
  m.life = test_map_ip(x, z) != no_trigger ? mark_trigger_life : c_marks_life;
  m.decay = 1.0f;
  m.r = r;
  m.g = g;
  m.b = b;
  m.x = x;
  m.y = y;
  m.z = z;
  m.facing = mark_facing_floor;
  if (side == mark_side_from_neg_x) {
    m.x = std::trunc(x) - mark_wall_gap;
    m.facing = mark_facing_x;
  } else if (side == mark_side_from_pos_x) {
    m.x = std::trunc(x) + 1.0f + mark_wall_gap;
    m.facing = mark_facing_x;
  } else if (side == mark_side_from_pos_z) {
    m.z = std::trunc(z) + 1.0f + mark_wall_gap;
    m.facing = mark_facing_z;
  }
}

void reset_marks() {
  marku = 0;
  first_maybe_free = 0;
  for (mark_t& m : mark) {
    m.alive = 0;
    m.life = mark_reset_life;
    m.decay = 1.0f;
  }
}

void age_marks() {
  first_maybe_free = 0;
  marku = table_rows(marku, mark_capacity);
  while (marku > 0 && !mark[marku - 1].alive) --marku;
  // The last live mark fills each hole, so the live ones stay packed below marku.
  for (int j = 0; j < marku; ++j) {
    if (mark[j].alive) continue;
    mark[j] = mark[marku - 1];
    mark[marku - 1].alive = 0;
    --marku;
    while (marku > 0 && !mark[marku - 1].alive) --marku;
  }
  for (int j = 0; j < marku; ++j) {
    mark_t& m = mark[j];
    if (!m.alive) continue;
    m.life -= m.decay * ageing_step;
    if (m.life <= 0.0f) {
      m.alive = 0;
      m.life = 0.0f;
    }
  }
}

#include "actors/player_movement.h"

#include <array>
#include <cmath>
#include <cstdint>

#include "actors/player.h"
#include "actors/player_footprint.h"
#include "actors/weapon_animation.h"
#include "actors/weapons.h"
#include "base/frame_clock.h"
#include "base/table_index.h"
#include "platform/display_settings.h"
#include "platform/input.h"
#include "platform/virtual_keys.h"

float Ax, Az, Bx, Bz, Cx, Cz, Dx, Dz;

// Digit keys 1..9 reach weapons 0..8; a tenth weapon has no key.
constexpr int weapon_key_count = 9;
constexpr float degrees_to_radians = 0.017453292f;

// The aiming rule's angles in radians, in the single precision it has always used.
constexpr float aim_half_pi = 1.5707964f;
constexpr float aim_pi = 3.1415927f;
constexpr float aim_three_half_pi = 4.712389f;
// One degree short of a full turn: the lower-right quadrant has always been
// measured from here, and the facing players are used to stays as it was.
constexpr float aim_lower_right_base = 6.265732f;
// Within this many pixels of a centre line the cursor counts as straight
// above, below or beside the player.
constexpr int64_t aim_axis_snap = 3;
// How far (degrees, at the sine's peak) the previous facing pulls the new one.
constexpr float aim_feedback = 40.0f;

void update_player_corners() {
  const player_t& p = players[player_id];
  const std::array<square_corner, 4> c = player_square_corners(p.x, p.z);
  Ax = c[0].x, Az = c[0].z;
  Bx = c[1].x, Bz = c[1].z;
  Cx = c[2].x, Cz = c[2].z;
  Dx = c[3].x, Dz = c[3].z;
}

static bool has_cartridges(const weapon_t& w) { return w.ammo != 0 || w.reserve != 0; }

// The reload phase carries on with the new weapon.
static void take_weapon(player_t& player, int i) {
  player.weapon = i;
  // The old weapon's shot or reload frames mean nothing on the new model.
  shoot_anim = weapon_anim_none;
  shoot_anim_interpol = 0.0f;
}

// Several digits held at once leave the highest usable one selected.
static void select_weapon_by_key(player_t& player) {
  int reachable = weaponu < weapon_key_count ? weaponu : weapon_key_count;
  for (int i = 0; i < reachable; ++i)
    if (keys['1' + i] && has_cartridges(weapon[i])) take_weapon(player, i);
}

int next_weapon_with_cartridges(int held, int step) {
  const int count = weaponu < weapon_capacity ? weaponu : weapon_capacity;
  if (count <= 0) return held;
  int i = in_table(held, count) ? held : 0;
  for (int tried = 0; tried < count; ++tried) {
    i = (i + step + count) % count;
    if (i != held && has_cartridges(weapon[i])) return i;
  }
  return held;
}

void cycle_weapon(int step) {
  player_t& player = players[player_id];
  const int next = next_weapon_with_cartridges(player.weapon, step);
  if (next != player.weapon) take_weapon(player, next);
}

// The walking direction that the held keys ask for, in degrees; false when no
// movement key is down. Each key refines what the earlier ones chose: forward
// with back walks back, and right with left alone walks at uhel - 45.
static bool movement_direction(float uhel, float& direction) {
  bool moving = false, backward = false;
  if (keys[VK_UP] || keys[vk_key('W')]) {
    direction = uhel;
    moving = true;
  }
  if (keys[VK_DOWN] || keys[vk_key('S')]) {
    direction = uhel + 180.0f;
    moving = backward = true;
  }
  if (keys[VK_RIGHT] || keys[vk_key('D')]) {
    direction = moving ? direction + (backward ? 45.0f : -45.0f) : uhel - 90.0f;
    moving = true;
  }
  if (keys[VK_LEFT] || keys[vk_key('A')]) {
    direction = moving ? direction + (backward ? -45.0f : 45.0f) : uhel + 90.0f;
    moving = true;
  }
  return moving;
}

// Takes `distance` off one coordinate of the live player unless that puts a
// corner into a blocked cell. The old value is put back as it was, not
// recomputed, so a refused step leaves no rounding drift.
static void step_axis(float& coordinate, float distance) {
  const float before = coordinate;
  coordinate -= distance;
  const player_t& p = players[player_id];
  if (player_square_blocked(p.x, p.z)) coordinate = before;
  update_player_corners();
}

bool keyboard_control() {
  player_t& player = players[player_id];
  select_weapon_by_key(player);

  float direction = 0.0f;
  if (!movement_direction(player.uhel, direction)) {
    if (player.anim_state == player_walking) player.anim_state = player_standing;
    return false;
  }
  walk_player(direction, 1.0f);
  return true;
}

void walk_player(float direction, float share) {
  player_t& player = players[player_id];
  update_player_corners();
  float a = direction * degrees_to_radians;
  float step = player.speed * share * motion_mix / t_scale;
  // One axis at a time: a wall across one axis still lets the player slide
  // along the other.
  step_axis(player.x, std::sin(a) * step);
  step_axis(player.z, std::cos(a) * step);
  player.anim_state = player_walking;
}

float aimed_uhel(int mx, int my, int resolution_x, int resolution_y, float uhel_before) {
  const int cx = resolution_x / 2, cy = resolution_y / 2;
  // The quadrant is judged from where the cursor really is, before the nudge.
  const int64_t off_x = int64_t{mx} - cx, off_y = int64_t{my} - cy;
  // A cursor on the exact centre would have no direction at all.
  const int nudged_x = mx == cx ? mx + 1 : mx, nudged_y = my == cy ? my + 1 : my;

  double dx = std::fabs(static_cast<double>(nudged_x) - cx);
  double dy = std::fabs(static_cast<double>(nudged_y) - cy);
  float a = std::asin(static_cast<float>(dy / std::sqrt(dx * dx + dy * dy)));

  // After the nudge dy >= 1, so a > 0 here; a cursor on a centre line is
  // settled by the snaps below.
  if (mx < cx && my > cy)
    a += aim_pi;
  else if (mx < cx && my < cy)
    a = aim_pi - a;
  else if (mx > cx && my > cy)
    a = aim_lower_right_base - a;
  if (-aim_axis_snap < off_x && off_x < aim_axis_snap) a = my > cy ? aim_three_half_pi : aim_half_pi;
  if (-aim_axis_snap < off_y && off_y < aim_axis_snap) a = mx > cx ? 0.0f : aim_pi;

  return (a / degrees_to_radians - 90.0f) + aim_feedback * std::sin(uhel_before * degrees_to_radians);
}

void mouse_aiming() {
  player_t& player = players[player_id];
  player.uhel = aimed_uhel(mouse_x, mouse_y, resolution_x, resolution_y, player.uhel);
  // The nudged cursor stays, as it always has.
  if (mouse_x == resolution_x / 2) ++mouse_x;
  if (mouse_y == resolution_y / 2) ++mouse_y;
}

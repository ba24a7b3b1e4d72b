#include "actors/target_picking.h"

#include <cmath>
#include <cstdlib>

#include "actors/pick_volume.h"
#include "actors/player.h"
#include "base/table_index.h"
#include "platform/display_settings.h"
#include "platform/input.h"

float cpx, cpy, cpz;
float clx, cly, clz;

namespace {

constexpr float degrees_to_radians = 0.017453292f;
// The divisor the aim has always used; keeps aim angles as they were.
constexpr double radians_per_degree_aim = 0.01745329238474369;

constexpr float eye_height = 14.0f;
constexpr float eye_behind = 9.0f;
constexpr float look_height = -1.5f;
constexpr float cursor_pixels_per_cell = 14.0f;
constexpr float lead_cap_x = 2.5f;
constexpr float lead_cap_below = 4.5f;  // cursor below the centre: look further ahead
constexpr float lead_cap_above = 1.14f;

constexpr float strip_half_width = 0.4f;
constexpr float strip_beyond = 7.0f;

}  // namespace

camera_view place_camera(float player_x, float player_z, float player_uhel, int mouse_x, int mouse_y,
                         int resolution_x, int resolution_y) {
  float a = player_uhel * degrees_to_radians;
  int from_centre_x = mouse_x - resolution_x / 2;
  int from_centre_y = mouse_y - resolution_y / 2;
  float fx = static_cast<float>(std::abs(from_centre_x)) / cursor_pixels_per_cell;
  float fz = static_cast<float>(std::abs(from_centre_y)) / cursor_pixels_per_cell;
  if (fx > lead_cap_x) fx = lead_cap_x;
  if (from_centre_y > 0 && fz > lead_cap_below) fz = lead_cap_below;
  if (from_centre_y < 0 && fz > lead_cap_above) fz = lead_cap_above;
  return {player_x, eye_height, player_z + eye_behind,
          player_x - fx * std::sin(a), look_height, player_z - fz * std::cos(a)};
}

bool is_pick_candidate(const imp_t& enemy, float player_x, float player_z) {
  return enemy.visible != 0 && enemy.alert != 0 && enemy.health > 0 && std::fabs(enemy.x - player_x) <= pick_range_x &&
         std::fabs(enemy.z - player_z) <= pick_range_z;
}

pick_strip pick_strip_for(float player_x, float player_z, const imp_t& enemy) {
  float b = enemy.uhel * degrees_to_radians;
  float across_x = strip_half_width * std::cos(b);
  float across_z = strip_half_width * std::sin(b);
  float far_x = enemy.x - strip_beyond * std::sin(b);
  float far_z = enemy.z - strip_beyond * std::cos(b);
  return {{player_x + across_x, player_x - across_x, far_x - across_x, far_x + across_x},
          {player_z - across_z, player_z + across_z, far_z + across_z, far_z - across_z}};
}

float aim_uhel_at(float player_x, float player_z, float target_x, float target_z) {
  return static_cast<float>(std::atan2(target_x - player_x, target_z - player_z) / radians_per_degree_aim + 180.0);
}

int enemy_under_cursor(const camera_view& view, const int viewport[4], int cursor_x, int cursor_y, float player_x,
                       float player_z) {
  const pick_volume volume = make_pick_volume(view, cursor_x, viewport[3] - cursor_y, pick_region_pixels, viewport,
                                              pick_fov, pick_near, pick_far);
  const int enemies = table_rows(impu, imp_capacity);
  for (int k = 0; k < enemies; ++k) {
    if (!is_pick_candidate(imp[k], player_x, player_z)) continue;
    const pick_strip strip = pick_strip_for(player_x, player_z, imp[k]);
    float corners[4][3];
    for (int corner = 0; corner < 4; ++corner) {
      corners[corner][0] = strip.x[corner];
      corners[corner][1] = pick_strip_height;
      corners[corner][2] = strip.z[corner];
    }
    if (polygon_in_pick_volume(volume, corners, 4)) return k;
  }
  return -1;
}

camera_view place_frame_camera() {
  const player_t& player = players[player_id];
  const camera_view view = place_camera(player.x, player.z, player.uhel, mouse_x, mouse_y, resolution_x, resolution_y);
  cpx = view.eye_x;
  cpy = view.eye_y;
  cpz = view.eye_z;
  clx = view.look_x;
  cly = view.look_y;
  clz = view.look_z;
  return view;
}

void snap_aim_to_enemy(const camera_view& camera, const int viewport[4]) {
  player_t& player = players[player_id];
  const int picked = enemy_under_cursor(camera, viewport, mouse_x, mouse_y, player.x, player.z);
  if (picked >= 0)
    player.uhel = aim_uhel_at(player.x, player.z, imp[picked].x, imp[picked].z);
}

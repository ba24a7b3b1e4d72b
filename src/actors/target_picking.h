// The camera of a frame of play, and the aim snap: when the cursor lies on the
// line from the player through an alert enemy in sight, the player turns to
// face that enemy, so the shot that follows flies straight at it.
#pragma once
#include "actors/enemies.h"
#include "actors/pick_volume.h"  // camera_view

// Eye and look-at point, placed each frame for the world renderer.
extern float cpx, cpy, cpz;
extern float clx, cly, clz;

// The strips are seen through a one-pixel square at the cursor, with the
// perspective of the world view but a deeper far plane.
constexpr double pick_fov = 45.0;
constexpr double pick_near = 0.1;
constexpr double pick_far = 100.0;
constexpr double pick_region_pixels = 1.0;
// Strips lie flat at this height.
constexpr float pick_strip_height = 1.0f;
// How far from the player an enemy can be picked, in cells.
constexpr float pick_range_x = 25.0f;
constexpr float pick_range_z = 20.0f;

// Places the frame's camera (cpx..clz) for the live player and the cursor,
// as place_camera does, and returns it.
camera_view place_frame_camera();

// Snaps the live player's `uhel` onto the first alert, visible, living enemy
// whose pick strip lies under the cursor, seen through `camera` in `viewport`
// (x, y, width, height). Runs only while the player is alive.
void snap_aim_to_enemy(const camera_view& camera, const int viewport[4]);

// ---- the arithmetic of picking, apart from GL ----

// The eye hangs 14 above and 9 cells behind the player; the look-at point
// leads the player along its facing (`uhel` degrees) by an amount that grows
// with the cursor's distance from the window centre.
camera_view place_camera(float player_x, float player_z, float player_uhel, int mouse_x, int mouse_y,
                         int resolution_x, int resolution_y);

// Whether the enemy may be picked by a player standing at (player_x, player_z).
bool is_pick_candidate(const imp_t& enemy, float player_x, float player_z);

// The strip drawn for an enemy, corners in drawing order as (x, z) at height 1:
// 0.8 wide, from the player through the enemy to 7 cells beyond it along the
// enemy's heading.
struct pick_strip {
  float x[4], z[4];
};
pick_strip pick_strip_for(float player_x, float player_z, const imp_t& enemy);

// The first candidate, in enemy order, whose strip shows under the one-pixel
// pick region at the cursor (window pixels, y down) seen through `view` in
// `viewport` (x, y, width, height); -1 for none. Enemy order, not depth: a
// nearer strip does not win over a lower index.
int enemy_under_cursor(const camera_view& view, const int viewport[4], int cursor_x, int cursor_y, float player_x,
                       float player_z);

// The player's `uhel` that faces the point (target_x, target_z). Straight
// ahead towards decreasing z gives 360.
float aim_uhel_at(float player_x, float player_z, float target_x, float target_z);

// The part of the level a frame draws: the cells around the player, shared
// by the world pass and the model passes.
#pragma once

constexpr int view_half_width = 25;  // cells left and right of the player
constexpr int view_half_depth = 20;  // cells before and behind

// The cells drawn around the player: x in [x0, x1), z in [z0, z1).
struct view_window {
  int x0, x1, z0, z1;
};
view_window view_window_around(float player_x, float player_z);

// True when a point lies within the drawn distance of the player.
bool near_enough_to_draw(float x, float z, float player_x, float player_z);

// Where each face of the render groups lies in the level's lightmap: one
// square atlas of N x N texels (N a power of two, at most 2048). A floor
// group has one face, a wall group three (+z, -x, +x; the renderer never
// shows a -z face and draws wall tops unlit). Every face rectangle keeps a
// ring of padding texels so linear filtering never reaches a neighbour.
#pragma once
#include <vector>

#include "lightmaps/groups_merge.h"

struct group_t;

constexpr int lightmap_padding = 2;
constexpr int lightmap_max_texels_per_cell = 16;
constexpr int lightmap_min_side = 16;

enum class lightmap_face_side { floor, wall_plus_z, wall_minus_x, wall_plus_x };

struct lightmap_face {
  int group;
  lightmap_face_side side;
  int x, y, w, h;  // texel rectangle inside the padding; row y is the first row
};

struct lightmap_atlas {
  int side = 0;             // N
  int texels_per_cell = 0;  // along floors and along walls
  int wall_rows = 0;        // texel rows of a wall face, top row first
  std::vector<lightmap_face> faces;
};

// Lays out every face at the highest density from `max_texels_per_cell` down
// to 1 that fits an atlas of at most 2048 texels, in the smallest such atlas.
// False when nothing fits even at one texel a cell.
bool lay_out_lightmap(const std::vector<level_group>& groups, float wall_height, int max_texels_per_cell,
                      lightmap_atlas& out);

// The twelve lm numbers of each group from its faces, as the renderer reads
// them: (u_a, v_a, u_b, v_b) for the floor or +z face, the -x face and the +x
// face. Numbers of faces a group does not have are 0.
void set_group_coordinates(const lightmap_atlas& atlas, group_t* groups, int group_count);

// The level grid: one element per cell in fixed 256 x 256 layers, indexed
// x * 256 + z, plus the level's exit and spawn points and its render groups.
// Everything that needs to know what is at a place in the level asks these
// layers; there is no other collision geometry.
#pragma once
#include <cstdint>

constexpr int map_dim = 256;                 // layer side; a level uses at most 255 of it
constexpr int map_cells = map_dim * map_dim;
constexpr int map_size_limit = 255;          // sizes come from one byte each

inline int map_index(int x, int z) { return x * map_dim + z; }
inline bool in_layer(int x, int z) { return x >= 0 && x < map_dim && z >= 0 && z < map_dim; }

// Values of mapa_v.
constexpr int cell_free = 0;         // floor or fully open door
constexpr int cell_wall = 1;
constexpr int cell_door_closed = 2;  // open fraction below 0.5: blocks everything
constexpr int cell_door_ajar = 3;    // blocks walkers, lets shots and light through
constexpr int cell_barrier = 4;      // blocks walkers, drawn as nothing but its model

constexpr int no_model = 255;   // mapa_m of an empty cell
constexpr int no_trigger = -1;  // mapa_ip of a cell that reaches no trigger
// mapa_e marks: 0 nobody, enemy_mark_base + k enemy k, player_mark_base + id a player.
constexpr int enemy_mark_base = 2;
constexpr int player_mark_base = 1024;

extern int mapa[map_cells];        // texture list index of the cell's surface
extern int mapa_v[map_cells];      // passability and wall state, cell_* above
extern int mapa_e[map_cells];      // occupant mark
extern int mapa_m[map_cells];      // model table index, no_model when empty
extern int mapa_m_rot[map_cells];  // model rotation in quarter turns
extern int mapa_ip[map_cells];     // trigger reached from the cell, no_trigger when none
extern int mapa_g[map_cells];      // render group holding the cell
extern float mapa_l[map_cells][3];      // light colour at the cell's corner point
extern float mapa_l_md2[map_cells][4];  // light used to draw the cell's model
extern int mapa_tmp[map_cells];    // renderer's per-frame scratch marks

extern int mapa_size_x, mapa_size_z;

// Exit cells: reaching one ends the level.
constexpr int map_end_capacity = 256;
extern int mapa_endu;
extern int mapa_end_x[map_end_capacity], mapa_end_z[map_end_capacity];

// Spawn points are carried with the level; the game itself does not use them.
constexpr int dm_spawn_capacity = 256;
struct dm_spawn_t {
  float x, z;
  int w;
};
extern int dm_spawnu;
extern dm_spawn_t dm_spawn[dm_spawn_capacity];

// Queries by world position. Each axis is clamped on its own to 0 ..
// size (not size - 1: the row and column just past the map stay addressable),
// then truncated to the cell.
int test_map_v(float x, float z);
int test_map_ip(float x, float z);
// The occupant, or 0 when it is `self`: an enemy passes its own mark so that it
// does not collide with itself; players pass -1.
int test_map_e(float x, float z, int self);

// Render groups: rectangles of cells of one kind and texture that the renderer
// draws as one wall block or one floor patch.
constexpr int group_capacity = 4096;
constexpr int group_lm_count = 12;
struct group_t {
  int x1, z1, x2, z2;        // inclusive cell rectangle
  float lm[group_lm_count];  // lightmap coordinates of the group's faces
};
extern int n_groups;
extern group_t groups[group_capacity];

// True when the inclusive rectangle (x1, z1)-(x2, z2) is a non-empty block of
// cells of a width x depth map.
bool group_inside_map(int x1, int z1, int x2, int z2, int width, int depth);

// Reads mapa_filename + "_guv" for the current map size. A missing file
// changes nothing (result 1); a short or over-full one, or one with a group
// rectangle outside the map, changes nothing either and is marked failed on
// the loading log. 0 when read. Cell indices are stored as the file gives
// them: users check them against n_groups.
int load_groups_vt();
// Writes n_groups, groups and mapa_g of the current map size to base + "_guv";
// 0 on success, 1 when the file cannot be written or the table is over-full.
int save_groups_vt(const char* base);

// One frame of play: camera, the world texture by texture with the lightmap
// on the second unit, the models, shadows and the overlay.
#pragma once
#include <cstdint>
#include <vector>

#include "render/frame_stats.h"
#include "render/view_window.h"  // the window the helpers below work on

// Draws the frame (the caller swaps the buffers). Always 1.
int DrawGLScene();

// Light of the cell (x, z) for its model and for the entities standing on it,
// from the static corner light, the player's own small light and the orange
// muzzle flash of strength h.
struct cell_light_sample {
  float model[4];  // red, green, blue, white: stored in mapa_l_md2
  float torch;     // the player's light at corners (x, z) + (x + 1, z + 1)
  float r, g, b;   // corner (x, z), clamped to 1: what entities on the cell get
};
cell_light_sample sample_cell_light(int x, int z, float player_x, float player_z, float flash);

// Marks (mapa_tmp) the cells of the window whose walls are cut down: near the
// player toward the camera, and around live visible enemies; sets `cut` for
// the groups of marked cells.
void mark_see_through(const view_window& window, std::vector<uint8_t>& cut);

// Muzzle-flash strength from the view weapon's animation state (0 when not firing).
float muzzle_flash_strength();

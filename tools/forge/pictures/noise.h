// Tileable noise for procedural textures. Every function takes coordinates in
// tile units (0..1 across the picture) and repeats with period 1, so walls and
// floors tile without seams.
#pragma once
#include <cstdint>

// Gradient noise on a lattice of cells_x by cells_y cells; about -1..1.
float gradient_noise(float u, float v, int cells_x, int cells_y, uint32_t seed);

// Sum of `octaves` gradient noises, each with twice the cells of the one
// before and `persistence` times its weight; normalised to about -1..1.
// `ridged` folds each octave (1 - |n|), giving vein and crack patterns.
float fractal_noise(float u, float v, int cells_x, int cells_y, int octaves, float persistence,
                    bool ridged, uint32_t seed);

// Cellular (Worley) noise: one jittered point per lattice cell.
struct cell_sample {
  float nearest = 0;  // distance to the nearest point, in cell units
  float second = 0;   // distance to the second nearest
  uint32_t id = 0;    // identity of the nearest point's cell
};
cell_sample cellular_noise(float u, float v, int cells_x, int cells_y, float jitter, uint32_t seed);

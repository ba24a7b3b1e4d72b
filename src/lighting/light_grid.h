// Per-cell light: every placed light that can see a cell's corner point over
// the grid (walls and closed doors cast shadows), raised to the level's
// ambient colour. Computed once per level load into mapa_l.
#pragma once

struct light_t;

void init_light();

// The light one placed light adds at the point (x, z), per channel, or zero
// when it is out of reach or a wall stands in between.
struct light_rgb {
  float r, g, b;
};
light_rgb light_contribution(const light_t& source, float x, float z);

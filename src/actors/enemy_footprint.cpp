#include "actors/enemy_footprint.h"

#include "world/map_grid.h"

static const float corners[4][2] = {{-enemy_half_width, -enemy_half_width},
                                    {enemy_half_width, enemy_half_width},
                                    {enemy_half_width, -enemy_half_width},
                                    {-enemy_half_width, enemy_half_width}};

bool footprint_blocked(float x, float z) {
  for (const auto& c : corners)
    if (test_map_v(x + c[0], z + c[1]) != cell_free) return true;
  return false;
}

bool footprint_crowded(float x, float z, int self) {
  for (const auto& c : corners)
    if (test_map_e(x + c[0], z + c[1], self) != 0) return true;
  return false;
}

int enemy_cell(float v) { return v >= 0.0f && v < static_cast<float>(map_dim) ? static_cast<int>(v) : -1; }

#include "actors/player_footprint.h"

#include "world/map_grid.h"

std::array<square_corner, 4> player_square_corners(float x, float z, float margin) {
  const float h = player_half_width + margin;
  return {{{x - h, z + h}, {x + h, z + h}, {x + h, z - h}, {x - h, z - h}}};
}

bool player_square_blocked(float x, float z) {
  for (const square_corner& c : player_square_corners(x, z))
    if (test_map_v(c.x, c.z) || test_map_e(c.x, c.z, -1)) return true;
  return false;
}

cell_span player_square_span(float v) {
  return {static_cast<int>(v - player_half_width), static_cast<int>(v + player_half_width)};
}

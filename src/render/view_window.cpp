#include "render/view_window.h"

#include <algorithm>
#include <cmath>

#include "world/map_grid.h"

view_window view_window_around(float player_x, float player_z) {
  int px = static_cast<int>(player_x), pz = static_cast<int>(player_z);
  return {std::max(0, px - view_half_width), std::min(mapa_size_x, px + view_half_width),
          std::max(0, pz - view_half_depth), std::min(mapa_size_z, pz + view_half_depth)};
}

bool near_enough_to_draw(float x, float z, float player_x, float player_z) {
  return std::fabs(x - player_x) <= view_half_width && std::fabs(z - player_z) <= view_half_depth;
}

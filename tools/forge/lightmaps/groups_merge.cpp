#include "lightmaps/groups_merge.h"

#include "world/map_grid.h"

namespace {

bool is_wall_cell(int kind) { return kind == cell_wall; }

struct merge_key {
  bool wall;
  int texture;
  bool operator==(const merge_key& o) const { return wall == o.wall && texture == o.texture; }
};

merge_key key_at(const cell_grid& grid, int x, int z) {
  size_t i = grid.index(x, z);
  return {is_wall_cell(grid.kind[i]), grid.texture[i]};
}

}  // namespace

group_layout merge_groups(const cell_grid& grid) {
  group_layout out;
  out.cell_group.assign(size_t(grid.size_x) * grid.size_z, -1);
  auto free_with = [&](int x, int z, const merge_key& key) {
    return out.cell_group[grid.index(x, z)] < 0 && key_at(grid, x, z) == key;
  };
  for (int x = 0; x < grid.size_x; ++x)
    for (int z = 0; z < grid.size_z; ++z) {
      if (out.cell_group[grid.index(x, z)] >= 0) continue;
      merge_key key = key_at(grid, x, z);
      int z2 = z;
      while (z2 + 1 < grid.size_z && free_with(x, z2 + 1, key)) ++z2;
      int x2 = x;
      for (bool strip_matches = true; strip_matches && x2 + 1 < grid.size_x;) {
        for (int k = z; k <= z2 && strip_matches; ++k) strip_matches = free_with(x2 + 1, k, key);
        if (strip_matches) ++x2;
      }
      int g = int(out.groups.size());
      out.groups.push_back({x, z, x2, z2, key.wall, key.texture});
      for (int gx = x; gx <= x2; ++gx)
        for (int gz = z; gz <= z2; ++gz) out.cell_group[grid.index(gx, gz)] = g;
    }
  return out;
}

// Render groups of a compiled level: cells of one kind (wall or floor) and
// one texture merged greedily into rectangles, so the renderer draws a whole
// room's floor or a whole stretch of wall as one quad or block.
#pragma once
#include <cstddef>
#include <cstdint>
#include <vector>

// The level's cells as the compiler and the baker see them.
struct cell_grid {
  int size_x = 0, size_z = 0;
  std::vector<uint8_t> kind;     // mapa_v value of each cell
  std::vector<uint8_t> texture;  // texture name index of each cell

  cell_grid() = default;
  cell_grid(int width, int depth)
      : size_x(width), size_z(depth), kind(size_t(width) * depth), texture(size_t(width) * depth) {}
  size_t index(int x, int z) const { return size_t(x) * size_z + z; }
  bool inside(int x, int z) const { return x >= 0 && z >= 0 && x < size_x && z < size_z; }
};

struct level_group {
  int x1, z1, x2, z2;  // inclusive cell rectangle
  bool wall;
  int texture;
};

struct group_layout {
  std::vector<level_group> groups;
  std::vector<int> cell_group;  // group of each cell, indexed like cell_grid
};

// Walls are drawn as blocks; every other kind (free floor, doors, barriers)
// belongs to a floor patch, so the floor under a door or a barrier is drawn
// with the open floor around it. Scans x outer, z inner: each cell not yet
// taken starts a rectangle that grows along z as far as it can, then along x
// while the whole strip matches.
group_layout merge_groups(const cell_grid& grid);

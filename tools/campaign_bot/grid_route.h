// Finding the way through the level grid: which cells the player can cross,
// how far every cell is from the player, the cells of the way to a goal, and
// the point to walk straight at.
#pragma once

#include "world/map_grid.h"

struct grid_cell {
  int x, z;
};

// Floor, or a door the player can open: a plain one, or a locked one whose key
// was picked up in this level. Cells outside the level are closed.
bool route_cell_open(int x, int z);

constexpr int not_reached = -1;

// Steps from one cell to every cell over open cells, diagonal steps included
// where both cells beside the corner are open (the player's body would catch
// on the corner otherwise).
struct route_distances {
  grid_cell from;
  int steps[map_cells];
};
void measure_routes(grid_cell from, route_distances& out);
int steps_to(const route_distances& routes, grid_cell to);

// The cells from the one after `from` up to `to`, at most `capacity`;
// their number, 0 when `to` cannot be reached.
int route_cells(const route_distances& routes, grid_cell to, grid_cell* out, int capacity);

// Whether the player's square walks straight from (x0, z0) to (x1, z1) over
// open cells only, with `margin` to spare on each side.
bool straight_walk_clear(float x0, float z0, float x1, float z1, float margin);

// Where to walk: the centre of the farthest of the route's first `lookahead`
// cells that a straight walk reaches; the first cell's centre when none does.
void steering_point(float x, float z, const grid_cell* route, int count, int lookahead, float& to_x, float& to_z);

// The player's footprint: the square the player occupies where it meets the
// grid, tested at its four corners. Movement and the watch reload block it on
// the same cells; the campaign bot and the forge's reach check take its corners
// and covered cells from here and judge the cells by their own rules.
#pragma once
#include <array>

// Half the side of the square.
constexpr float player_half_width = 0.45f;

struct square_corner {
  float x, z;
};

// The corners of the square around (x, z), grown on every side by `margin`:
// A (-,+), B (+,+), C (+,-), D (-,-).
std::array<square_corner, 4> player_square_corners(float x, float z, float margin = 0.0f);

// A corner on a wall, a door that is not fully open, a barrier or an occupied
// cell: where the player cannot stand.
bool player_square_blocked(float x, float z);

// The cells one axis of the square covers when centred at `v` (v >= 0), by
// truncation as the grid's queries take them: one cell, or two neighbours.
struct cell_span {
  int first, last;
};
cell_span player_square_span(float v);

// Where the player can go in a built level (the world tables after
// C_KelMap::update_globals), with the player's real footprint: a square
// 0.9 cells wide (player_half_width) whose corners must all stand in cells
// that let it in, starting centred on the corner of its start cell. So it
// covers two columns and two rows, and fits a one-cell passage or door only
// within 0.05 of that cell's centre line.
//
// Positions are taken in classes along each axis that cover the same cells:
// centred within 0.05 of column k's centre line (covers k alone), or between
// two such lines (covers k and k + 1); the player moves one axis at a time,
// so it passes between neighbouring classes. Walls and barriers stop it, a
// door opens for it, a locked door only once its key is reached.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

struct player_reach {
  std::vector<uint8_t> touched;  // per map_index: the footprint can cover the cell (every reachable key taken)
  bool exit_reached = false;
  bool exit_needs_a_key = false;       // without keys no exit is reached
  std::vector<std::string> warnings;  // what a modder should hear, one line each
};

player_reach check_player_reach(int start_x, int start_z);

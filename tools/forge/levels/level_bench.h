// The benchmark level's rows: 255 x 255 cells of rooms joined by openings and
// doors, about a thousand lights, 500 enemies, a few thousand render groups.
// Its legend and settings live in demo/levels/bench/bench.txt; the rows are
// generated (deterministically) because nobody draws 65025 cells by hand.
//
// Characters the legend must define:
//   #  %      walls (two textures)
//   .  ,  _   floors (three textures; markers below stand on '.')
//   D  d      door in a wall running along x, door in a wall running along z
//   T  L      torch, lamp
//   g  b      the two enemy types
//   m  a      medikit, ammunition
//   S  E      start, exit
#pragma once
#include <cstdint>
#include <string>

constexpr int bench_level_side = 255;
constexpr int bench_level_enemies = 500;
constexpr int bench_level_lights = 1000;

// "row \"...\"" lines, one per z, ready to follow the legend.
std::string bench_level_rows(uint64_t seed);

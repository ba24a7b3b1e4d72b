// Which level is played and which follows it: base paths as the data files
// name them ("data/maps/test").
#pragma once
#include <cstddef>

constexpr size_t path_capacity = 256;

extern char mapa_filename[path_capacity];     // the level being played
extern char c_first_filename[path_capacity];  // where a new game starts
extern char c_next_filename[path_capacity];   // set by the level's settings

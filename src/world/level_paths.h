// Which level is played and which follows it: base paths as the data files
// name them ("data/maps/test"). The files of one level share its base path.
#pragma once
#include <cstddef>

constexpr size_t path_capacity = 256;

extern char mapa_filename[path_capacity];     // the level being played
extern char c_first_filename[path_capacity];  // where a new game starts
extern char c_next_filename[path_capacity];   // set by the level's settings

// Room for a 255-character base path and the longest suffix (".pack").
constexpr size_t level_file_path_capacity = path_capacity + 8;

// base + suffix; false when the result would not fit (the file is then treated
// as one that cannot be opened, never as a cut-off path to some other file).
bool level_file_path(char (&out)[level_file_path_capacity], const char* base, const char* suffix);

#include "world/level_paths.h"

#include <cstdio>

char mapa_filename[path_capacity];
char c_first_filename[path_capacity] = "data/maps/test";
char c_next_filename[path_capacity];

bool level_file_path(char (&out)[level_file_path_capacity], const char* base, const char* suffix) {
  int n = std::snprintf(out, sizeof out, "%s%s", base, suffix);
  return n >= 0 && static_cast<size_t>(n) < sizeof out;
}

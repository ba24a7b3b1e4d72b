#include "world/level_paths.h"

char mapa_filename[path_capacity];
char c_first_filename[path_capacity] = "data/maps/test";
char c_next_filename[path_capacity];

// The game's only option: "-map <level path>" starts that level directly.
#pragma once
#include <cstddef>

// When the command line holds "-map" followed by at least one character, copies
// everything from the second character after "-map" to the end into `path`
// (cut to its capacity) and returns true.
bool map_argument(const char* command_line, char* path, size_t capacity);

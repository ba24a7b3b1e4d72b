#include "core/command_line.h"

#include <cstdio>
#include <cstring>

bool map_argument(const char* command_line, char* path, size_t capacity) {
  const char* found = std::strstr(command_line, "-map");
  if (!found || found[4] == '\0') return false;
  std::snprintf(path, capacity, "%s", found + 5);
  return true;
}

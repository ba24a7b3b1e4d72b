// The render-group reader. The first two bytes are the map width and depth the
// file is read for; the rest is the group file itself.
#include <cstddef>
#include <cstdint>
#include <cstdio>

#include "world/level_paths.h"
#include "world/map_grid.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size < 2) return 0;
  mapa_size_x = data[0];
  mapa_size_z = data[1];
  std::snprintf(mapa_filename, sizeof mapa_filename, "fuzz");
  FILE* f = std::fopen("fuzz_guv", "wb");
  if (!f) return 0;
  std::fwrite(data + 2, 1, size - 2, f);
  std::fclose(f);
  load_groups_vt();
  return 0;
}

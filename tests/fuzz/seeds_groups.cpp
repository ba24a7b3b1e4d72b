// Writes valid render-group files through the engine's own writer, prefixed
// with the map size that fuzz_groups reads first.
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

#include "world/map_grid.h"

static bool write_seed(const std::string& corpus, int width, int depth, int count) {
  mapa_size_x = width;
  mapa_size_z = depth;
  n_groups = count;
  for (int g = 0; g < count; ++g) groups[g] = {g % width, g % depth, g % width, g % depth, {0.25f, 0.5f}};
  for (int x = 0; x < width; ++x)
    for (int z = 0; z < depth; ++z) mapa_g[map_index(x, z)] = (x * depth + z) % (count ? count : 1);
  std::string base = corpus + "/groups_" + std::to_string(width) + "x" + std::to_string(depth);
  if (save_groups_vt(base.c_str()) != 0) return false;
  std::ifstream in(base + "_guv", std::ios::binary);
  std::string file((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  in.close();
  std::filesystem::remove(base + "_guv");
  std::ofstream(base, std::ios::binary) << char(width) << char(depth) << file;
  return true;
}

int main(int argc, char** argv) {
  if (argc < 2) return 1;
  bool ok = write_seed(argv[1], 6, 4, 5) && write_seed(argv[1], 3, 9, 2) && write_seed(argv[1], 1, 1, 0);
  return ok ? 0 : 1;
}

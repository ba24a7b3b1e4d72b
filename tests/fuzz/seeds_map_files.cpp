// Writes valid separate map files through C_KelMap's own writer and wraps them
// in the container that fuzz_map_files reads: all five files, and the same
// without the optional ones one at a time.
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

#include "support/level_builder.h"

static C_KelMap level;
static const char* const suffixes[] = {"_v", "_t", "_m", "_ai", "_c"};

static std::string read_all(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

int main(int argc, char** argv) {
  if (argc < 2) return 1;
  std::string scratch = (std::filesystem::temp_directory_path() / "kel-map-seeds").string();
  std::filesystem::create_directories(scratch);
  int failed = 0;
  for_each_seed_level(level, [&](C_KelMap& map, const char* name) {
    std::string base = scratch + "/" + name;
    failed |= map.save_maps_l(base.c_str());
    std::string files[5];
    for (int i = 0; i < 5; ++i) files[i] = read_all(base + suffixes[i]);
    for (int mask : {0x1f, 0x1d, 0x1b, 0x17, 0x0f}) {
      std::string seed(1, char(mask));
      for (int i = 0; i < 5; ++i) {
        if (!(mask >> i & 1)) continue;
        seed += char(files[i].size() & 0xff);
        seed += char(files[i].size() >> 8);
        seed += files[i];
      }
      std::ofstream(std::string(argv[1]) + "/" + name + "_" + std::to_string(mask), std::ios::binary)
          << seed;
    }
  });
  std::filesystem::remove_all(scratch);
  return failed;
}

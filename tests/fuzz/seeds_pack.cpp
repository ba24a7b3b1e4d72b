// Writes valid level packs through C_KelMap's own writer.
#include <cstdio>
#include <string>

#include "support/level_builder.h"

static C_KelMap level;

int main(int argc, char** argv) {
  if (argc < 2) return 1;
  int failed = 0;
  for_each_seed_level(level, [&](C_KelMap& map, const char* name) {
    failed |= map.save_pack_l((std::string(argv[1]) + "/" + name).c_str());
  });
  return failed;
}

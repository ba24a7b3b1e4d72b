// Seeds for the savegame reader: a real savegame of the fuzz level.
#include <cstdio>
#include <string>

#include "base/file_replace.h"
#include "core/level_loading.h"
#include "core/savegame.h"
#include "support/level_builder.h"
#include "world/level_paths.h"

int main(int argc, char** argv) {
  if (argc < 2) return 1;
  clear_world();
  fill_sample_level(KelMapLoader);
  if (!ensure_folder("data/maps") || KelMapLoader.save_pack_l("data/maps/fuzz") != 0) return 1;
  std::snprintf(mapa_filename, sizeof mapa_filename, "data/maps/fuzz");
  if (!load_level(false)) return 1;
  std::string seed = std::string(argv[1]) + "/level";
  return savegame.save(seed.c_str());
}

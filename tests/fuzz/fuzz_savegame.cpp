// The savegame reader over a small level written once at start: every input is
// read as data/savegame/fuzz after the level is loaded fresh.
#include <cstddef>
#include <cstdint>
#include <cstdio>

#include "base/file_replace.h"
#include "core/level_loading.h"
#include "core/savegame.h"
#include "support/level_builder.h"
#include "world/level_paths.h"

static bool level_written() {
  clear_world();
  fill_sample_level(KelMapLoader);
  return ensure_folder("data/maps") && ensure_folder(savegame_folder) &&
         KelMapLoader.save_pack_l("data/maps/fuzz") == 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static const bool ready = level_written();
  if (!ready) return 0;
  std::FILE* f = std::fopen("data/savegame/fuzz", "wb");
  if (!f) return 0;
  std::fwrite(data, 1, size, f);
  std::fclose(f);
  savegame.load("data/savegame/fuzz");
  return 0;
}

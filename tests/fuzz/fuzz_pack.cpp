// The level pack reader and the world build behind it. The content tables know
// the names of the seed levels, so the build's name resolution, trigger joining
// and light placement run too.
#include <cstddef>
#include <cstdint>
#include <cstdio>

#include "support/level_builder.h"

static C_KelMap content_source;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static bool content_ready = (fill_sample_level(content_source), true);
  (void)content_ready;
  FILE* f = std::fopen("fuzz.pack", "wb");
  if (!f) return 0;
  std::fwrite(data, 1, size, f);
  std::fclose(f);
  KelMapLoader.load_pack("fuzz");
  return 0;
}

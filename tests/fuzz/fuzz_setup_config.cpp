// Any bytes as the old configuration the setup program reads: it must never
// crash, and what it would write back must be a size the game can open.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>

#include "setup/setup_config.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size == 0) return 0;  // fmemopen refuses an empty buffer; the reader sees EOF at once anyway
  std::FILE* in = fmemopen(const_cast<uint8_t*>(data), size, "rb");
  if (!in) return 0;
  setup_settings settings;
  read_setup_config(in, settings);
  std::fclose(in);
  bool usable = settings.resolution_x > 0 && settings.resolution_x <= setup_resolution_limit &&
                settings.resolution_y > 0 && settings.resolution_y <= setup_resolution_limit;
  if (!usable) std::abort();
  return 0;
}

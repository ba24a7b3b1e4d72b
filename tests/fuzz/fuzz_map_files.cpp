// The five separate map files and the world build behind them. The input is a
// small container: one byte whose bits 0-4 say which of _v, _t, _m, _ai, _c
// exist, then for each present file a 16-bit little-endian length and its bytes
// (cut short where the input ends).
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <string>

#include "support/level_builder.h"

static C_KelMap content_source;
static const char* const suffixes[] = {"_v", "_t", "_m", "_ai", "_c"};

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static bool content_ready = (fill_sample_level(content_source), true);
  (void)content_ready;
  if (size < 1) return 0;
  uint8_t present = data[0];
  size_t pos = 1;
  for (int i = 0; i < 5; ++i) {
    std::string path = std::string("fuzz") + suffixes[i];
    std::remove(path.c_str());
    if (!(present >> i & 1)) continue;
    size_t length = 0;
    if (pos + 2 <= size) length = data[pos] | data[pos + 1] << 8;
    pos = pos + 2 < size ? pos + 2 : size;
    if (length > size - pos) length = size - pos;
    FILE* f = std::fopen(path.c_str(), "wb");
    if (!f) return 0;
    std::fwrite(data + pos, 1, length, f);
    std::fclose(f);
    pos += length;
  }
  KelMapLoader.load_maps("fuzz");
  return 0;
}

// libFuzzer target for the Tiled map readers: the first byte chooses the XML
// (.tmx) or JSON (.tmj) reader, the rest is the map; a map that reads is
// turned into a level source, so hostile layers, tilesets and properties
// reach the mapping too.
#include <cstddef>
#include <cstdint>
#include <string>

#include "tiled/level_file.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size == 0) return 0;
  diagnostics sink;
  recipe source(data[0] & 1 ? "fuzz.tmj" : "fuzz.tmx", sink);
  level_source level;
  read_level_file(source, std::string(reinterpret_cast<const char*>(data + 1), size - 1), level);
  return 0;
}

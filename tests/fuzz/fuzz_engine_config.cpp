// Any bytes as the engine configuration: the reader must never crash and must
// leave the display settings as plain numbers.
#include <cstddef>
#include <cstdint>
#include <string>

#include "content/tagged_reader.h"
#include "core/engine_config.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  tagged_reader reader;
  reader.open_text(std::string(reinterpret_cast<const char*>(data), size));
  read_engine_config(reader);
  return 0;
}

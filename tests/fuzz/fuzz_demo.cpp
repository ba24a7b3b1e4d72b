// The demo file reader on any bytes.
#include <cstddef>
#include <cstdint>

#include "formats/demo_file.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static demo_recording demo;
  const char* problem = nullptr;
  parse_demo(data, size, demo, problem);
  return 0;
}

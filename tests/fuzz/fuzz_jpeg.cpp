// Any bytes as a JPEG file in memory: the decoder refuses them or hands back
// an image, never reading or writing outside the data and its buffers.
#include <cstddef>
#include <cstdint>
#include <cstdlib>

#include "formats/jpeg.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (load_memory_jpg(data, size)) {
    if (jpeg_width <= 0 || jpeg_height <= 0 || !jpeg_data) std::abort();
    // Touch the last byte: the buffer must hold the whole image.
    volatile unsigned char last = jpeg_data[size_t(jpeg_width) * jpeg_height * 3 - 1];
    (void)last;
    std::free(jpeg_data);
    jpeg_data = nullptr;
  }
  return 0;
}

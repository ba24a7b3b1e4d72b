#include "common/bmp_writer.h"

#include "base/byte_io.h"

byte_buffer encode_bmp(const forge_image& image) {
  const uint32_t row_bytes = (uint32_t(image.width) * 3 + 3) & ~3u;
  const uint32_t pixel_bytes = row_bytes * uint32_t(image.height);
  const uint32_t header_bytes = 14 + 40;
  byte_buffer out;
  put_bytes(out, "BM");
  append_u32(out, header_bytes + pixel_bytes);
  append_u32(out, 0);  // reserved
  append_u32(out, header_bytes);
  append_u32(out, 40);  // BITMAPINFOHEADER
  append_u32(out, uint32_t(image.width));
  append_u32(out, uint32_t(image.height));  // positive: bottom row first
  append_u16(out, 1);                       // planes
  append_u16(out, 24);
  append_u32(out, 0);  // no compression
  append_u32(out, pixel_bytes);
  append_u32(out, 2835);  // 72 dpi, as pixels per metre
  append_u32(out, 2835);
  append_u32(out, 0);  // colours used
  append_u32(out, 0);  // important colours
  for (int y = image.height - 1; y >= 0; --y) {
    size_t start = out.size();
    for (int x = 0; x < image.width; ++x) {
      const float* p = image.pixel(x, y);
      put_u8(out, to_byte(p[2]));
      put_u8(out, to_byte(p[1]));
      put_u8(out, to_byte(p[0]));
    }
    while (out.size() - start < row_bytes) put_u8(out, 0);
  }
  return out;
}

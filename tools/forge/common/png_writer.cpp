#include "common/png_writer.h"

#include <zlib.h>

namespace {

void put_u32_big(byte_buffer& out, uint32_t value) {
  for (int i = 3; i >= 0; --i) out.push_back(uint8_t(value >> (8 * i)));
}

void put_chunk(byte_buffer& out, const char* type, const byte_buffer& data) {
  put_u32_big(out, uint32_t(data.size()));
  size_t start = out.size();
  put_bytes(out, type);
  for (uint8_t b : data) out.push_back(b);
  uLong crc = crc32(0, out.data() + start, uInt(out.size() - start));
  put_u32_big(out, uint32_t(crc));
}

}  // namespace

bool encode_png(const forge_image& image, byte_buffer& out) {
  byte_buffer raw;
  byte_buffer rgb = image.to_bytes(3, false);
  for (int y = 0; y < image.height; ++y) {
    raw.push_back(0);  // no filter
    for (size_t i = size_t(y) * image.width * 3; i < size_t(y + 1) * image.width * 3; ++i) raw.push_back(rgb[i]);
  }
  uLongf packed_size = compressBound(uLong(raw.size()));
  byte_buffer packed(packed_size);
  if (compress2(packed.data(), &packed_size, raw.data(), uLong(raw.size()), 9) != Z_OK) return false;
  packed.resize(packed_size);

  out.clear();
  const uint8_t signature[8] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1a, '\n'};
  for (uint8_t b : signature) out.push_back(b);
  byte_buffer header;
  put_u32_big(header, uint32_t(image.width));
  put_u32_big(header, uint32_t(image.height));
  header.push_back(8);  // bits per channel
  header.push_back(2);  // RGB
  header.push_back(0);  // deflate
  header.push_back(0);  // adaptive filtering
  header.push_back(0);  // no interlace
  put_chunk(out, "IHDR", header);
  put_chunk(out, "IDAT", packed);
  put_chunk(out, "IEND", {});
  return true;
}

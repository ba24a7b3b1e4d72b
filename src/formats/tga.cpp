#include "formats/tga.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "base/byte_io.h"
#include "formats/compressed_asset.h"

// ID length 0, no colour map, type 2 (uncompressed true-colour), empty
// colour-map fields, origin (0, 0).
static const unsigned char tga_template[tga_template_size] = {0, 0, 2, 0, 0, 0, 0, 0, 0, 0, 0, 0};

// Pixels arrive in pieces of this size, so a header that claims a huge image
// costs only as much memory as the file really delivers.
static const size_t tga_read_piece = size_t(1) << 20;

tga_image::~tga_image() { std::free(pixels); }

static void swap_red_blue(unsigned char* pixels, size_t count, unsigned bytes_per_pixel) {
  for (size_t i = 0; i < count; ++i, pixels += bytes_per_pixel) {
    unsigned char first = pixels[0];
    pixels[0] = pixels[2];
    pixels[2] = first;
  }
}

// Reads exactly `total` bytes into a buffer that grows as data arrives.
// Null on a short read or when memory runs out.
static unsigned char* read_pixel_block(asset_stream& stream, size_t total) {
  unsigned char* buffer = nullptr;
  size_t have = 0;
  while (have < total) {
    size_t piece = total - have < tga_read_piece ? total - have : tga_read_piece;
    unsigned char* grown = static_cast<unsigned char*>(std::realloc(buffer, have + piece));
    if (!grown) break;
    buffer = grown;
    size_t got = asset_read(stream, buffer + have, piece);
    have += got;
    if (got != piece) break;
  }
  if (have == total) return buffer;
  std::free(buffer);
  return nullptr;
}

static int decode_stream(asset_stream& stream, tga_image& image) {
  unsigned char head[tga_template_size];
  unsigned char tail[tga_tail_size];
  if (asset_read(stream, head, sizeof head) != sizeof head) return 0;
  if (std::memcmp(head, tga_template, sizeof head) != 0) return 0;
  if (asset_read(stream, tail, sizeof tail) != sizeof tail) return 0;
  unsigned width = get_u16(tail);
  unsigned height = get_u16(tail + 2);
  unsigned bits = tail[4];  // tail[5], the descriptor, is not consulted
  if (width == 0 || height == 0 || (bits != 24 && bits != 32)) return 0;

  size_t count = size_t(width) * height;
  unsigned char* pixels = read_pixel_block(stream, count * (bits / 8));
  if (!pixels) return 0;
  swap_red_blue(pixels, count, bits / 8);
  std::free(image.pixels);
  image.pixels = pixels;
  image.width = width;
  image.height = height;
  image.bits = bits;
  return 1;
}

int tga_decode(const char* path, tga_image& image) {
  asset_stream stream;
  if (!asset_open(path, stream)) return 0;
  int result = decode_stream(stream, image);
  asset_close(stream);
  return result;
}

int SaveTGA(unsigned char* data, unsigned width, unsigned height, unsigned bits, const char* path) {
  if (!data || (bits != 24 && bits != 32)) return 0;
  if (width == 0 || height == 0 || width > tga_max_side || height > tga_max_side) return 0;
  unsigned char tail[tga_tail_size] = {};
  put_u16(tail, static_cast<uint16_t>(width));
  put_u16(tail + 2, static_cast<uint16_t>(height));
  tail[4] = static_cast<unsigned char>(bits);

  size_t count = size_t(width) * height;
  swap_red_blue(data, count, bits / 8);

  FILE* file = std::fopen(path, "wb");
  if (!file) return 0;
  size_t bytes = count * (bits / 8);
  bool written = std::fwrite(tga_template, 1, sizeof tga_template, file) == sizeof tga_template &&
                 std::fwrite(tail, 1, sizeof tail, file) == sizeof tail &&
                 std::fwrite(data, 1, bytes, file) == bytes;
  // A full disk shows up at the latest when the buffered tail is flushed.
  if (std::fclose(file) != 0) written = false;
  if (!written) std::remove(path);  // no truncated image left behind
  return written ? 1 : 0;
}
